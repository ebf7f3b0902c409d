#include "engine/url/canonical_url.h"

#include <vector>

#include "engine/text/text_rules.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {
namespace {

// The parts of a URL, viewed in it; the scheme in lower case.
struct UrlParts {
  std::string scheme;  // "https", "" when the reference has none
  bool has_authority = false;
  std::string_view authority;  // "example.com:8080"
  std::string_view path;
  bool has_query = false;
  std::string_view query;
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
    parts.authority = url.substr(2, end == std::string_view::npos ? end : end - 2);
    url.remove_prefix(end == std::string_view::npos ? url.size() : end);
  }
  const std::size_t question = url.find('?');
  parts.path = url.substr(0, question);
  if (question != std::string_view::npos) {
    parts.has_query = true;
    parts.query = url.substr(question + 1);
  }
  return parts;
}

// Whether the path has a "." or ".." segment to take away.
bool HasDotSegment(std::string_view path) {
  for (std::size_t dot = path.find('.'); dot != std::string_view::npos;
       dot = path.find('.', dot + 1)) {
    if (dot > 0 && path[dot - 1] != '/') continue;
    const std::size_t end = dot + (dot + 1 < path.size() && path[dot + 1] == '.' ? 2 : 1);
    if (end == path.size() || path[end] == '/') return true;
  }
  return false;
}

// RFC 3986, 5.2.4: "." and ".." segments taken away.
std::string WithoutDotSegments(std::string_view path) {
  if (!HasDotSegment(path)) return std::string(path);
  std::vector<std::string_view> segments;
  const bool absolute = !path.empty() && path[0] == '/';
  std::size_t start = absolute ? 1 : 0;
  bool ends_in_folder = false;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view segment = path.substr(start, end - start);
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

std::string Join(std::string_view scheme, std::string_view authority, std::string_view path,
                 bool has_query, std::string_view query) {
  std::string url;
  url.reserve(scheme.size() + 3 + authority.size() + path.size() + 1 + query.size());
  url.append(scheme).append("://").append(authority).append(path);
  if (has_query) url.append("?").append(query);
  return url;
}

}  // namespace

std::string ResolveUrl(std::string_view base, std::string_view reference) {
  const UrlParts from = Split(base);
  const UrlParts ref = Split(reference);
  if (!ref.scheme.empty()) {
    return Join(ref.scheme, ref.authority, WithoutDotSegments(ref.path), ref.has_query, ref.query);
  }
  if (ref.has_authority) {
    return Join(from.scheme, ref.authority, WithoutDotSegments(ref.path), ref.has_query, ref.query);
  }
  if (ref.path.empty()) {
    return Join(from.scheme, from.authority, from.path, ref.has_query || from.has_query,
                ref.has_query ? ref.query : from.query);
  }
  if (ref.path[0] == '/') {
    return Join(from.scheme, from.authority, WithoutDotSegments(ref.path), ref.has_query,
                ref.query);
  }
  const std::size_t slash = from.path.rfind('/');
  std::string merged(slash == std::string_view::npos ? std::string_view("/")
                                                     : from.path.substr(0, slash + 1));
  merged += ref.path;
  return Join(from.scheme, from.authority, WithoutDotSegments(merged), ref.has_query, ref.query);
}

std::string ComparableUrl(std::string_view url) {
  const UrlParts parts = Split(url);
  std::string authority = LowerAscii(parts.authority);
  const std::string_view default_port = parts.scheme == "https" ? ":443" : ":80";
  if (authority.size() > default_port.size() &&
      authority.compare(authority.size() - default_port.size(), default_port.size(),
                        default_port) == 0) {
    authority.resize(authority.size() - default_port.size());
  }
  std::string normal;
  normal.reserve(url.size() + 8);
  normal.append(parts.scheme).append("://").append(authority);
  AppendComparableUrlText(parts.path.empty() ? std::string_view("/") : parts.path, &normal);
  if (parts.has_query) {
    normal += '?';
    AppendComparableUrlText(parts.query, &normal);
  }
  return normal;
}

bool SameUrl(std::string_view a, std::string_view b) {
  return ComparableUrl(a) == ComparableUrl(b);
}

}  // namespace zorvitan
