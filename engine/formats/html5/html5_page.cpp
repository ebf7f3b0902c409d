#include "engine/formats/html5/html5_page.h"

#include <algorithm>
#include <cstddef>

#include "engine/page/head_reader.h"
#include "engine/text/markup_escape.h"
#include "engine/text/text_rules.h"
#include "engine/text/utf8.h"

namespace zorvitan {
namespace {

// The built-in look: a readable column on any screen, guide lines for the
// folders' nesting, colours with at least 4.5:1 contrast in both schemes, links
// told apart by colour and place (a list of links, not running text), and
// plain black on white in print.
constexpr std::string_view kStylesheet = R"(:root {
  color-scheme: light dark;
  --page: #fbfaf7;
  --text: #1d2126;
  --quiet: #575e68;
  --link: #0b57c4;
  --visited: #6a3d9a;
  --line: #d9d6cf;
  --accent: #b0502a;
}
@media (prefers-color-scheme: dark) {
  :root {
    --page: #15171a;
    --text: #e7e9ec;
    --quiet: #a7adb6;
    --link: #8cb8ff;
    --visited: #cda9f7;
    --line: #3b4048;
    --accent: #e7956f;
  }
}
body {
  margin: 0;
  background: var(--page);
  color: var(--text);
  font: 1.0625rem/1.6 system-ui, -apple-system, "Segoe UI", Roboto, "Noto Sans", sans-serif;
}
main {
  max-width: 46rem;
  margin: 0 auto;
  padding: 2.5rem 1.25rem 4rem;
}
h1 {
  margin: 0 0 1.5rem;
  padding-bottom: 0.6rem;
  border-bottom: 3px solid var(--accent);
  font-size: clamp(1.5rem, 1.1rem + 2vw, 2.1rem);
  line-height: 1.25;
  overflow-wrap: anywhere;
}
.site-map ul {
  margin: 0;
  padding: 0;
  list-style: none;
}
.site-map ul ul {
  margin: 0.2rem 0 0.4rem 0.35rem;
  padding-left: 1.1rem;
  border-left: 2px solid var(--line);
}
.site-map li {
  margin: 0.3rem 0;
  overflow-wrap: anywhere;
}
.site-map > ul > .folder {
  margin-top: 1.2rem;
}
.site-map .folder > a,
.site-map .folder > span {
  font-weight: 600;
}
.site-map .folder > span {
  color: var(--quiet);
}
.site-map .description {
  margin: 0.1rem 0 0;
  color: var(--quiet);
  font-size: 0.9375rem;
  line-height: 1.45;
}
a {
  color: var(--link);
  text-decoration: none;
  text-underline-offset: 0.2em;
}
a:visited {
  color: var(--visited);
}
a:hover,
a:focus-visible {
  text-decoration: underline;
}
a:focus-visible {
  outline: 3px solid var(--accent);
  outline-offset: 2px;
  border-radius: 2px;
}
@media print {
  :root {
    --page: #fff;
    --text: #000;
    --quiet: #000;
    --link: #000;
    --visited: #000;
    --line: #888;
    --accent: #000;
  }
  main {
    max-width: none;
    padding: 0;
  }
  a {
    text-decoration: none;
  }
  .site-map li {
    break-inside: avoid;
  }
}
)";

constexpr std::string_view kMapPlaceholder = "{{map}}";
constexpr std::string_view kTitlePlaceholder = "{{title}}";
constexpr std::size_t kLargestTemplate = 4 << 20;

std::string ReplaceTitle(std::string_view text, std::string_view title_html) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(kTitlePlaceholder); at != std::string_view::npos;
       at = text.find(kTitlePlaceholder, from)) {
    out.append(text, from, at - from);
    out.append(title_html);
    from = at + kTitlePlaceholder.size();
  }
  out.append(text, from, std::string_view::npos);
  return out;
}

// UTF-8 text with what HTML forbids in text shown instead: control
// characters as their pictures (U+2400...), C1 controls and noncharacters as
// U+FFFD.
std::string WithoutForbiddenCharacters(std::string_view text) {
  const std::string valid = ValidUtf8(text);
  std::string shown;
  for (std::size_t at = 0; at < valid.size();) {
    const std::size_t start = at;
    const char32_t code = NextCodePoint(valid, &at);
    if (code < 0x20 && !IsHtmlBlank(static_cast<char>(code))) {
      AppendUtf8(0x2400 + code, &shown);
    } else if (code == 0x7F) {
      AppendUtf8(0x2421, &shown);
    } else if ((code >= 0x80 && code <= 0x9F) || (code >= 0xFDD0 && code <= 0xFDEF) ||
               (code & 0xFFFE) == 0xFFFE) {
      AppendUtf8(kReplacementCharacter, &shown);
    } else {
      shown.append(valid, start, at - start);
    }
  }
  return shown;
}

}  // namespace

std::string DocumentStart(std::string_view lang, std::string_view title_html) {
  std::string out = "<!DOCTYPE html>\n<html lang=\"";
  out += lang;
  out +=
      "\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  out += title_html;
  out += "</title>\n<style>\n";
  out += kStylesheet;
  out += "</style>\n</head>\n<body>\n<main>\n<h1>";
  out += title_html;
  out += "</h1>\n";
  return out;
}

std::string DocumentEnd() { return "</main>\n</body>\n</html>\n"; }

TemplateProblem ReadTemplate(FileSystem& file_system, const std::string& path, std::string* text) {
  if (ReadWholeFile(file_system, path, text, kLargestTemplate) != ReadResult::kOk) {
    return TemplateProblem::kUnreadable;
  }
  if (text->size() > kLargestTemplate) return TemplateProblem::kTooLarge;
  if (text->compare(0, 3, "\xEF\xBB\xBF") == 0) text->erase(0, 3);
  if (!IsValidUtf8(*text)) return TemplateProblem::kNotUtf8;
  const std::size_t map = text->find(kMapPlaceholder);
  if (map == std::string::npos) return TemplateProblem::kNoMap;
  if (text->find(kMapPlaceholder, map + 1) != std::string::npos) return TemplateProblem::kTwoMaps;
  return TemplateProblem::kNone;
}

std::string TemplateBeforeMap(std::string_view template_text, std::string_view title_html) {
  return ReplaceTitle(template_text.substr(0, template_text.find(kMapPlaceholder)), title_html);
}

std::string TemplateAfterMap(std::string_view template_text, std::string_view title_html) {
  const std::size_t map = template_text.find(kMapPlaceholder);
  if (map == std::string_view::npos) return std::string();
  return ReplaceTitle(template_text.substr(map + kMapPlaceholder.size()), title_html);
}

std::string TemplateLanguage(std::string_view template_text) {
  HeadReader reader(kNeedsTitle);  // <html lang> comes before any title
  reader.Feed(template_text.data(), template_text.size());
  reader.Finish();
  const std::string& lang = reader.Head().lang;
  return IsLanguageTag(lang) ? lang : std::string();
}

bool IsLanguageTag(std::string_view tag) {
  std::size_t at = 0;
  while (at < tag.size() && IsAsciiLetter(tag[at])) ++at;
  if (at < 2 || at > 8) return false;
  while (at < tag.size()) {
    if (tag[at++] != '-') return false;
    const std::size_t start = at;
    while (at < tag.size() && (IsAsciiLetter(tag[at]) || IsAsciiDigit(tag[at]))) ++at;
    if (at == start || at - start > 8) return false;
  }
  return true;
}

bool SameLanguage(std::string_view a, std::string_view b) {
  return EqualsNoCase(a.substr(0, a.find('-')), b.substr(0, b.find('-')));
}

void AppendPlainText(std::string_view utf8, std::string* out) {
  AppendEscaped(WithoutForbiddenCharacters(utf8), EscapeFor::kHtmlTextOrAttribute, out);
}

}  // namespace zorvitan
