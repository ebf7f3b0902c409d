// What a page's head says about the page's place in a sitemap: noindex (see
// robots_meta.h), a refresh that sends the reader to another URL (a redirect
// stub), and the URL it names as its canonical one.
#pragma once

#include <string>
#include <string_view>

#include "engine/page_text.h"
#include "engine/platform.h"

namespace zorvitan {

struct PageHead {
  bool noindex = false;
  bool redirects = false;
  std::string redirect_url;  // as the refresh names it
  bool has_canonical = false;
  std::string canonical_href;  // of the first <link rel="canonical">, as written
};

// Whether a <meta> tag's attributes make a refresh that names a URL
// (http-equiv="refresh" content="0; url=new.html"); `url` is the URL named.
bool MetaRefreshUrl(std::string_view attributes, std::string* url);

// Whether a <link> tag's attributes name a canonical URL (rel holds the word
// "canonical"); `href` is the URL as written.
bool LinkCanonicalHref(std::string_view attributes, std::string* href);

// Reads a page until its head is settled.
ReadResult ReadPageHead(Platform& platform, const std::string& path, std::string* chunk,
                        PageHead* head);

}  // namespace zorvitan
