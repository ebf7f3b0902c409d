#include "engine/url/canonical_url.h"

#include <vector>

#include "engine/text/text_rules.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {
namespace {

struct UrlParts {
  std::string scheme;  // "https", "" when the reference has none
  bool has_authority = false;
  std::string authority;  // "example.com:8080"
  std::string path;
  bool has_query = false;
  std::string query;
};

UrlParts Split(std::string_view url) {
  UrlParts parts;
  url = url.substr(0, url.find('#'));
  const std::size_t colon = url.find(':');
  const std::size_t first_special = url.find_first_of("/?");
  if (colon != std::string_view::npos && colon > 0 && colon < first_special) {
    bool scheme_chars = true;
    for (std::size_t i = 0; i < colon; ++i) {
      const char c = url[i];
      scheme_chars =
          scheme_chars &&
          (IsAsciiLetter(c) || (i > 0 && (IsAsciiDigit(c) || c == '+' || c == '-' || c == '.')));
    }
    if (scheme_chars) {
      parts.scheme = LowerAscii(url.substr(0, colon));
      url.remove_prefix(colon + 1);
    }
  }
  if (url.substr(0, 2) == "//") {
    parts.has_authority = true;
    const std::size_t end = url.find_first_of("/?", 2);
    parts.authority = std::string(url.substr(2, end == std::string_view::npos ? end : end - 2));
    url.remove_prefix(end == std::string_view::npos ? url.size() : end);
  }
  const std::size_t question = url.find('?');
  parts.path = std::string(url.substr(0, question));
  if (question != std::string_view::npos) {
    parts.has_query = true;
    parts.query = std::string(url.substr(question + 1));
  }
  return parts;
}

// RFC 3986, 5.2.4: "." and ".." segments taken away.
std::string WithoutDotSegments(const std::string& path) {
  std::vector<std::string> segments;
  const bool absolute = !path.empty() && path[0] == '/';
  std::size_t start = absolute ? 1 : 0;
  bool ends_in_folder = false;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string segment = path.substr(start, end - start);
    ends_in_folder = segment == "." || segment == "..";
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string result = absolute ? "/" : "";
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (i > 0) result += '/';
    result += segments[i];
  }
  if (ends_in_folder && (result.empty() || result.back() != '/')) result += '/';
  return result;
}

std::string Join(const UrlParts& parts) {
  std::string url = parts.scheme + "://" + parts.authority + parts.path;
  if (parts.has_query) url += "?" + parts.query;
  return url;
}

}  // namespace

std::string ResolveUrl(std::string_view base, std::string_view reference) {
  const UrlParts from = Split(base);
  UrlParts ref = Split(reference);
  UrlParts target;
  if (!ref.scheme.empty()) {
    target = ref;
    target.path = WithoutDotSegments(ref.path);
  } else {
    target.scheme = from.scheme;
    if (ref.has_authority) {
      target.authority = ref.authority;
      target.path = WithoutDotSegments(ref.path);
      target.has_query = ref.has_query;
      target.query = ref.query;
    } else {
      target.authority = from.authority;
      if (ref.path.empty()) {
        target.path = from.path;
        target.has_query = ref.has_query || from.has_query;
        target.query = ref.has_query ? ref.query : from.query;
      } else {
        if (ref.path[0] == '/') {
          target.path = WithoutDotSegments(ref.path);
        } else {
          const std::size_t slash = from.path.rfind('/');
          const std::string folder =
              slash == std::string::npos ? "/" : from.path.substr(0, slash + 1);
          target.path = WithoutDotSegments(folder + ref.path);
        }
        target.has_query = ref.has_query;
        target.query = ref.query;
      }
    }
  }
  return Join(target);
}

std::string ComparableUrl(std::string_view url) {
  UrlParts parts = Split(url);
  parts.authority = LowerAscii(parts.authority);
  const std::string default_port = parts.scheme == "https" ? ":443" : ":80";
  if (parts.authority.size() > default_port.size() &&
      parts.authority.compare(parts.authority.size() - default_port.size(), default_port.size(),
                              default_port) == 0) {
    parts.authority.resize(parts.authority.size() - default_port.size());
  }
  parts.path = ComparableUrlText(parts.path.empty() ? "/" : parts.path);
  parts.query = ComparableUrlText(parts.query);
  return Join(parts);
}

bool SameUrl(std::string_view a, std::string_view b) { return ComparableUrl(a) == ComparableUrl(b); }

}  // namespace zorvitan
