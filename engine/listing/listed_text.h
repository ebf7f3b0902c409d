// The texts a listing for people or language models shows of a page, in
// UTF-8: its title as the browser shows it, its description, and the name of
// a file or folder, for what has no title.
#pragma once

#include <string>
#include <string_view>

#include "engine/page/page_head.h"
#include "engine/platform/platform.h"
#include "engine/text/text_conversion.h"

namespace zorvitan {

// The title (document.title) in UTF-8; "" when the page has none.
std::string ShownTitle(const TextConverter& converter, const PageHead& head);

// <meta name="description">'s content in UTF-8, its blanks collapsed as a
// browser collapses them in text, so it reads on one line; "" for none.
std::string ShownDescription(const TextConverter& converter, const PageHead& head);

// A file or folder name (or a path of them) as UTF-8: converted from the code
// page, a marked name (foreign_names.h) taken as it is carried; bytes that are
// not UTF-8 as U+FFFD.
std::string NameAsUtf8(std::string_view name, const Platform& platform);

}  // namespace zorvitan
