// Prints what the engine reads of each page's head, one JSON object a line, for
// head_oracle_test.mjs to hold against a browser's parser.
//
//   page_head_dump PAGE...
//
// Strings are the engine's bytes: the title as the browser shows it (UTF-8),
// attribute values as the page has them. Exits 1 when a page cannot be read.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cli/native_platform.h"
#include "engine/page/head_reader.h"
#include "engine/text/text_conversion.h"

namespace {

void AppendString(std::string_view text, std::string* out) {
  out->push_back('"');
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out->push_back('\\');
      out->push_back(c);
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out->append(escape);
    } else {
      out->push_back(c);
    }
  }
  out->push_back('"');
}

void AppendStringOrNull(bool present, std::string_view text, std::string* out) {
  if (present) {
    AppendString(text, out);
  } else {
    out->append("null");
  }
}

const char* KindName(zorvitan::HeadEnd::Kind kind) {
  switch (kind) {
    case zorvitan::HeadEnd::kStartTag:
      return "start";
    case zorvitan::HeadEnd::kEndTag:
      return "end";
    case zorvitan::HeadEnd::kText:
      return "text";
    case zorvitan::HeadEnd::kNotReached:
      break;
  }
  return "none";
}

std::string HeadJson(const std::string& path, const zorvitan::PageHead& head,
                     const std::string& shown_title) {
  const zorvitan::HeadLinks& links = head.in_head;
  std::string out = "{\"file\":";
  AppendString(path, &out);
  out += ",\"title\":";
  AppendStringOrNull(head.has_title, shown_title, &out);
  out += ",\"lang\":";
  AppendString(head.lang, &out);
  out += links.noindex ? ",\"noindex\":true" : ",\"noindex\":false";
  out += ",\"refresh_url\":";
  AppendStringOrNull(links.has_refresh, links.refresh_url, &out);
  out += ",\"canonical_href\":";
  AppendStringOrNull(links.has_canonical, links.canonical_href, &out);
  out += ",\"alternates\":[";
  for (std::size_t i = 0; i < links.alternates.size(); ++i) {
    out += i == 0 ? "{\"hreflang\":" : ",{\"hreflang\":";
    AppendString(links.alternates[i].hreflang, &out);
    out += ",\"href\":";
    AppendString(links.alternates[i].href, &out);
    out += "}";
  }
  out += "],\"description\":";
  AppendStringOrNull(head.has_description, head.description, &out);
  out += ",\"head_end\":{\"kind\":\"";
  out += KindName(head.end.kind);
  out += "\",\"tag\":";
  AppendString(head.end.tag, &out);
  out += ",\"line\":" + std::to_string(head.end.line) + "}}";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<zorvitan::Platform> platform = zorvitan::cli::MakeNativePlatform();
  const zorvitan::TextConverter converter(*platform, "");
  std::string chunk;
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string path = argv[i];
    zorvitan::PageHead head;
    const zorvitan::ReadResult result = zorvitan::ReadPageHead(
        *platform, path, &chunk, zorvitan::kNeedsTitle | zorvitan::kNeedsHead, &head);
    if (result != zorvitan::ReadResult::kOk) {
      std::fprintf(stderr, "page_head_dump: cannot read %s\n", path.c_str());
      status = 1;
      continue;
    }
    const std::string shown =
        head.has_title ? zorvitan::TitleText(converter.ToUtf8(head.title, head.declared_encoding))
                       : std::string();
    std::printf("%s\n", HeadJson(path, head, shown).c_str());
  }
  return status;
}
