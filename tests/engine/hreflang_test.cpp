// Language versions: how alternates resolve to pages of the site, each fault
// search engines find in them, and which clusters keep their links.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/listing/hreflang_clusters.h"
#include "engine/text/language_codes.h"

namespace zorvitan::testing {
namespace {

struct Site {
  // Each page's URL path below the base and its file's, and what it names.
  struct Page {
    std::string url_path;
    std::string file_path;
    std::vector<HeadAlternate> alternates;
    LeftOut left_out = LeftOut::kNone;
    std::string base_href;
  };
  std::vector<Page> pages;

  // Takes every page in order and checks; the faults as "page\twords".
  std::vector<std::string> Check(HreflangClusters* clusters) const {
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const bool listed = pages[i].left_out == LeftOut::kNone;
      clusters->Taken(i, listed, pages[i].left_out,
                      HreflangClusters::KeysOf(pages[i].url_path, pages[i].file_path));
      if (!listed) continue;
      clusters->Add(i, pages[i].url_path,
                    clusters->Resolve(pages[i].url_path, pages[i].alternates, pages[i].base_href));
    }
    std::vector<std::string> faults;
    clusters->Check([&faults](const std::string& page, const std::string& text) {
      faults.push_back(page + "\t" + text);
    });
    return faults;
  }
  HreflangClusters Clusters() const {
    return HreflangClusters(
        "https://example.com/", pages.size(), [this](std::size_t i) { return pages[i].url_path; },
        [this](std::size_t i) { return pages[i].file_path; },
        [this](std::size_t i) { return pages[i].file_path; });
  }
};

std::string Link(const std::string& code, const std::string& url) {
  return "<xhtml:link rel=\"alternate\" hreflang=\"" + code + "\" href=\"" + url + "\"/>";
}

TEST(Hreflang, RelativeBaseHrefFilePathsAndSpellingsResolveToTheListedUrl) {
  Site site;
  // The top index page under --strip-index, a clean URL and a Polish name.
  site.pages = {
      {"", "index.html", {}, LeftOut::kNone, {}},
      {"pl/", "pl/index.html", {}, LeftOut::kNone, {}},
      {"en/about", "en/about.html", {}, LeftOut::kNone, {}},
      {"de/%C3%BCber.html", "de/%C3%BCber.html", {}, LeftOut::kNone, {}},
  };
  site.pages[0].base_href = "/pl/";
  site.pages[0].alternates = {{"x-default", " / "},
                              {"pl", "./"},
                              {"en", "../en/about.html"},
                              {"de",
                               "https://EXAMPLE.com:443/de/\xC3\xBC"
                               "ber.html"},
                              {"fr", "https://example.fr/?a&b"}};
  for (std::size_t i = 1; i < site.pages.size(); ++i) {
    site.pages[i].alternates = {{"x-default", "https://example.com/index.html"},
                                {"pl", "/pl/"},
                                {"en", "/en/about"},
                                {"de", "/de/%c3%bcber.html"},
                                {"fr", "https://example.fr/?a&b#top"}};
  }
  HreflangClusters clusters = site.Clusters();
  EXPECT_EQ(site.Check(&clusters), std::vector<std::string>{});
  const std::string links = Link("x-default", "https://example.com/") +
                            Link("pl", "https://example.com/pl/") +
                            Link("en", "https://example.com/en/about") +
                            Link("de", "https://example.com/de/%C3%BCber.html") +
                            Link("fr", "https://example.fr/?a&amp;b");
  EXPECT_EQ(clusters.Links(0), links);
  EXPECT_EQ(clusters.Links(3), links);
  EXPECT_EQ(
      clusters.Links(0, true).find("<xhtml:link xmlns:xhtml=\"http://www.w3.org/1999/xhtml\""), 0u);
  EXPECT_TRUE(clusters.AnyLinks());
  EXPECT_EQ(clusters.PagesLeftOut(), 0u);
}

TEST(Hreflang, EachFaultIsNamedAndLeavesItsWholeClusterOut) {
  Site site;
  auto page = [&site](const std::string& path, std::vector<HeadAlternate> alternates,
                      LeftOut left_out = LeftOut::kNone) {
    site.pages.push_back({path, path, std::move(alternates), left_out, {}});
  };
  page("en/a.html", {{"en", "a.html"}, {"de", "../de/a.html"}});  // 0, good, but for 7
  page("de/a.html", {{"en", "../en/a.html"}, {"de", "a.html"}});
  page("en/b.html", {{"en", "b.html"}, {"de", "../de/b.html"}});  // 2: no return
  page("de/b.html", {{"de", "b.html"}});
  page("en/c.html", {{"de", "../de/c.html"}});  // 4: does not name itself
  page("de/c.html", {{"en", "../en/c.html"}, {"de", "c.html"}});
  page("en/d.html", {{"en-UK", "d.html"}, {"jp", "d.html"}, {"pl_PL", "d.html"}});  // 6
  page("en/e.html", {{"en", "e.html"}, {"de", "../de/a.html"}});  // 7: breaks 0 and 1
  page("en/f.html", {{"en", "f.html"}, {"de", "../de/f.html"}});  // 8, good
  page("de/f.html", {{"en", "../en/f.html"}, {"de", "f.html"}});
  page("en/g.html", {{"en", "g.html"},  // 10: two URLs for a code, two x-defaults
                     {"de", "../de/g.html"},
                     {"DE", "../de/h.html"},
                     {"x-default", "../de/g.html"},
                     {"x-default", "../de/h.html"},
                     {"de", "../de/g.html"}});
  page("de/g.html", {{"en", "../en/g.html"}, {"de", "g.html"}});
  page("de/h.html", {{"en", "../en/g.html"}, {"de", "h.html"}});
  page("en/i.html", {{"en", "i.html"},  // 13: not listed, not in the site, outside
                     {"de", "../de/i.html"},
                     {"pl", "../pl/i.html"},
                     {"fr", "https://example.fr/i"}});
  page("de/i.html", {{"en", "../en/i.html"}, {"de", "i.html"}}, LeftOut::kNoindex);
  HreflangClusters clusters = site.Clusters();
  EXPECT_EQ(site.Check(&clusters),
            (std::vector<std::string>{
                "en/b.html\threflang de: no return link from de/b.html",
                "en/c.html\threflang: the page does not name itself",
                "en/d.html\threflang en-UK: not a language code, for en/d.html",
                "en/d.html\threflang jp: not a language code, for en/d.html",
                "en/d.html\threflang pl_PL: not a language code, for en/d.html",
                "en/e.html\threflang de: no return link from de/a.html",
                "en/g.html\threflang de: two URLs, de/g.html and de/h.html",
                "en/g.html\threflang x-default: two URLs, de/g.html and de/h.html",
                "en/i.html\threflang de: de/i.html is not listed: noindex",
                "en/i.html\threflang pl: https://example.com/pl/i.html is not in the site",
            }));
  EXPECT_EQ(clusters.Problems(), 10u);
  // Only the pair that names each other, alone in its cluster, keeps its links.
  for (std::size_t i = 0; i < site.pages.size(); ++i) {
    EXPECT_EQ(clusters.Links(i).empty(), i != 8 && i != 9) << site.pages[i].url_path;
  }
  EXPECT_EQ(clusters.PagesLeftOut(), 12u);
}

// The common case is resolved by a shorter way: it must give what the
// general one gives, here made to run by a <base href> that is the page's own
// URL. Ten alternates with long URLs also outgrow the room held in place.
TEST(Hreflang, PlainRelativeHrefsResolveAsTheGeneralWayDoes) {
  const std::string base = "https://example.com/";
  HreflangClusters clusters(base, 0, nullptr, nullptr);
  const std::vector<HeadAlternate> found = {
      {"en", "b.html"},
      {"de", " sub/c.html "},
      {"pl", "x-y_z~1.htm"},
      {"fr", "a-rather-long-name-for-a-page-in-french-written-in-full.html"},
      {"it", "../it/a.html"},
      {"es", "/es/a.html"},
      {"cs", "another/rather/long/path/to/a/page/in/czech/with/a/long/name.html"},
      {"sk", "./b.html"},
      {"hu", "sub/../c.html"},
      {"fi", "..."}};
  auto full = [&base](const ResolvedAlternates& resolved, const ResolvedAlternates::Item& item,
                      ResolvedAlternates::Span span) {
    return (item.path_only ? base : std::string()) + std::string(resolved.Text(span));
  };
  auto a_item = [](const ResolvedAlternates& resolved, std::size_t i) {
    return resolved.begin()[i];
  };
  for (const std::string url_path : {"en/a.html", "a.html", "en/", "en/deep/er/a.html"}) {
    const ResolvedAlternates short_way = clusters.Resolve(url_path, found, "");
    const ResolvedAlternates general = clusters.Resolve(url_path, found, base + url_path);
    ASSERT_EQ(short_way.size(), found.size());
    ASSERT_EQ(general.size(), found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
      const ResolvedAlternates::Item& a = short_way.begin()[i];
      const ResolvedAlternates::Item& b = general.begin()[i];
      EXPECT_EQ(short_way.Text(a.code), general.Text(b.code));
      EXPECT_EQ(full(short_way, a, a.url), full(general, b, b.url)) << url_path << " " << i;
      EXPECT_EQ(full(short_way, a, a.comparable).substr(base.size()),
                full(general, b, b.comparable).substr(base.size()));
      EXPECT_EQ(a.below_base, b.below_base);
      EXPECT_EQ(a.hash, b.hash) << url_path << " " << i;
    }
    EXPECT_TRUE(short_way.begin()[0].path_only);
    EXPECT_FALSE(general.begin()[0].path_only);
    if (url_path != "en/a.html") continue;
    // Dot segments go as browsers take them out.
    EXPECT_EQ(full(short_way, a_item(short_way, 7), a_item(short_way, 7).url),
              "https://example.com/en/b.html");
    EXPECT_EQ(full(short_way, a_item(short_way, 8), a_item(short_way, 8).url),
              "https://example.com/en/c.html");
    EXPECT_EQ(full(short_way, a_item(short_way, 9), a_item(short_way, 9).url),
              "https://example.com/en/...");
  }
}

// Pages are found as they are taken: those before the first page with
// alternates, those after it, and those it names before they come.
TEST(Hreflang, PagesAreFoundWhetherTakenBeforeOrAfterTheyAreNamed) {
  Site site;
  auto page = [&site](const std::string& path, std::vector<HeadAlternate> alternates,
                      LeftOut left_out = LeftOut::kNone) {
    site.pages.push_back({path, path, std::move(alternates), left_out, {}});
  };
  page("de/x.html", {});
  page("de/n.html", {}, LeftOut::kNoindex);
  page("en/x.html", {{"en", "x.html"},
                     {"de", "../de/x.html"},
                     {"fr", "../de/n.html"},
                     {"pl", "../pl/x.html"},
                     {"it", "../it/x.html"},
                     {"es", "../es/"}});
  // Two pages with one URL under --strip-index: the listed one is named.
  site.pages.push_back({"es/", "es/index.htm", {}, LeftOut::kNoindex, {}});
  site.pages.push_back({"es/", "es/index.html", {}, LeftOut::kNone, {}});
  page("it/x.html", {{"en", "../en/x.html"}, {"it", "x.html"}});
  page("pl/x.html", {}, LeftOut::kRedirect);
  // A page not in the site is named as the first page to name it spells it.
  page("sv/a.html", {{"sv", "a.html"}, {"de", "HTTPS://EXAMPLE.COM/de/gone.html"}});
  page("sv/b.html", {{"sv", "b.html"}, {"de", "../de/gone.html"}});
  page("sv/c.html", {{"sv", "c.html"}, {"de", "/de/gone.html"}});
  HreflangClusters clusters = site.Clusters();
  const std::string gone = "https://EXAMPLE.COM/de/gone.html is not in the site";
  EXPECT_EQ(site.Check(&clusters), (std::vector<std::string>{
                                       "en/x.html\threflang de: no return link from de/x.html",
                                       "en/x.html\threflang fr: de/n.html is not listed: noindex",
                                       "en/x.html\threflang pl: pl/x.html is not listed: redirect",
                                       "en/x.html\threflang es: no return link from es/index.html",
                                       "sv/a.html\threflang de: " + gone,
                                       "sv/b.html\threflang de: " + gone,
                                       "sv/c.html\threflang de: " + gone,
                                   }));
}

TEST(Hreflang, CodesAreLanguageScriptRegionOrXDefaultInAnyCase) {
  for (const char* good :
       {"pl", "en-GB", "EN-gb", "zh-Hant-TW", "es-419", "x-default", "X-Default"}) {
    EXPECT_TRUE(IsHreflangCode(good)) << good;
  }
  for (const char* bad : {"en-UK", "jp", "pl_PL", "", "en-", "-en", "en-GB-x", "x-defaults"}) {
    EXPECT_FALSE(IsHreflangCode(bad)) << bad;
  }
}

}  // namespace
}  // namespace zorvitan::testing
