#include "cli/template_file.h"

#include "engine/formats/html5/html5_page.h"

namespace zorvitan::cli {

bool LoadTemplate(FileSystem& file_system, const std::string& file, std::string* text,
                  std::string* error) {
  const std::string named = "the template '" + file + "'";
  switch (ReadTemplate(file_system, file, text)) {
    case TemplateProblem::kNone:
      return true;
    case TemplateProblem::kUnreadable:
      *error = named + " cannot be read";
      break;
    case TemplateProblem::kTooLarge:
      *error = named + " is larger than 4 MiB";
      break;
    case TemplateProblem::kNotUtf8:
      *error = named + " is not UTF-8, as the map is";
      break;
    case TemplateProblem::kNoMap:
      *error = named + " has no {{map}}: put it where the map goes";
      break;
    case TemplateProblem::kTwoMaps:
      *error = named + " has {{map}} more than once";
      break;
  }
  return false;
}

}  // namespace zorvitan::cli
