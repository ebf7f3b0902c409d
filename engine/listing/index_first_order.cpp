#include "engine/listing/index_first_order.h"

#include "engine/text/text_rules.h"

namespace zorvitan {

std::vector<std::uint32_t> IndexFirstOrder(const PageList& pages, const std::string& own_file,
                                           const Platform& platform) {
  std::vector<std::uint32_t> order;
  const std::string folded_own = platform.FoldCase(own_file);
  const std::size_t own_name = own_file.size() - (own_file.find_last_of("\\/") + 1);
  auto is_own = [&](std::size_t i) {
    return pages.NameOf(i).size() == own_name && platform.FoldCase(pages[i]) == folded_own;
  };
  const std::size_t size = pages.size();
  for (std::size_t start = 0; start < size;) {
    const std::string* folder = &pages.FolderOf(start);
    std::size_t end = start + 1;
    while (end < size && &pages.FolderOf(end) == folder) ++end;
    std::size_t index = end;
    for (std::size_t i = start; i < end && index == end; ++i) {
      if (IsIndexName(pages.NameOf(i)) && !is_own(i)) index = i;
    }
    if (index != end) order.push_back(static_cast<std::uint32_t>(index));
    for (std::size_t i = start; i < end; ++i) {
      if (i != index && !is_own(i)) order.push_back(static_cast<std::uint32_t>(i));
    }
    start = end;
  }
  return order;
}

bool IsTopIndexPage(const PageList& pages, std::size_t i, std::size_t site_length) {
  return pages.FolderOf(i).size() == site_length && IsIndexName(pages.NameOf(i));
}

}  // namespace zorvitan
