// The html5 map's page around its list: the document with its head and the
// built-in stylesheet, or the user's template; and how text goes into it.
#pragma once

#include <string>
#include <string_view>

#include "engine/page/page_text.h"
#include "engine/platform/file_system.h"

namespace zorvitan {

// The map's label and the start of its default title.
inline constexpr const char* kSiteMapLabel = "Mapa serwisu";

// Everything before the list: doctype, head with title, viewport and
// stylesheet, and the page's heading. `title_html` is markup already.
std::string DocumentStart(std::string_view lang, std::string_view title_html);
// Everything after it.
std::string DocumentEnd();

// Why a template cannot be used.
enum class TemplateProblem { kNone, kUnreadable, kTooLarge, kNotUtf8, kNoMap, kTwoMaps };

// Reads the user's template whole; on kNone `text` holds it, a UTF-8
// byte-order mark left out.
TemplateProblem ReadTemplate(FileSystem& file_system, const std::string& path, std::string* text);

// The template's text before and after "{{map}}", each "{{title}}" in it
// replaced by `title_html`.
std::string TemplateBeforeMap(std::string_view template_text, std::string_view title_html);
std::string TemplateAfterMap(std::string_view template_text, std::string_view title_html);

// Whether `tag` looks like a BCP 47 language tag: "pl", "en-GB", "zh-Hant".
bool IsLanguageTag(std::string_view tag);

// Appends UTF-8 text as HTML text: "&", "<", ">" and '"' as references,
// bytes that are not UTF-8 as U+FFFD. Control characters, which HTML forbids,
// are shown as their pictures (U+2400...), C1 controls and noncharacters as
// U+FFFD.
void AppendPlainText(std::string_view utf8, std::string* out);

}  // namespace zorvitan
