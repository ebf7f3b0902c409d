#include "engine/walk/page_filter.h"

#include "engine/text/foreign_names.h"
#include "engine/text/text_rules.h"

namespace zorvitan {

bool PageFilter::Accepts(const DirEntry& entry) const {
  return entry.is_file && !entry.is_folder && !entry.hidden && !entry.system &&
         patterns_.Matches(WithoutForeignNameMark(entry.name));
}

}  // namespace zorvitan
