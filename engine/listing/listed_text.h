// The texts a listing for people or language models shows of a page, in
// UTF-8: its title as the browser shows it, and its description.
#pragma once

#include <string>

#include "engine/page/page_head.h"
#include "engine/text/text_conversion.h"

namespace zorvitan {

// The title (document.title) in UTF-8; "" when the page has none.
std::string ShownTitle(const TextConverter& converter, const PageHead& head);

// <meta name="description">'s content in UTF-8, its blanks collapsed as a
// browser collapses them in text, so it reads on one line; "" for none.
std::string ShownDescription(const TextConverter& converter, const PageHead& head);

}  // namespace zorvitan
