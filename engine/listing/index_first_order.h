// The order in which a listing for people or language models shows a site:
// the walk's, folder by folder, but each folder's index page first, as the
// page that names the folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/platform/platform.h"
#include "engine/walk/page_list.h"

namespace zorvitan {

// Places in `pages`, each folder's run with its first index page in front;
// `own_file`, the listing's own (left by a probe or an earlier run), left out.
std::vector<std::uint32_t> IndexFirstOrder(const PageList& pages, const std::string& own_file,
                                           const Platform& platform);

// Whether the page at place `i` is the index page of the site folder itself;
// `site_length` is the site folder's length with its separator.
bool IsTopIndexPage(const PageList& pages, std::size_t i, std::size_t site_length);

}  // namespace zorvitan
