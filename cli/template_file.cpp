#include "cli/template_file.h"

#include "cli/translation.h"
#include "engine/formats/html5/html5_page.h"

namespace zorvitan::cli {

bool LoadTemplate(FileSystem& file_system, const std::string& file, std::string* text,
                  std::string* error) {
  const char* problem = nullptr;
  switch (ReadTemplate(file_system, file, text)) {
    case TemplateProblem::kNone:
      return true;
    case TemplateProblem::kUnreadable:
      problem = TranslateLater("the template '%s' cannot be read");
      break;
    case TemplateProblem::kTooLarge:
      problem = TranslateLater("the template '%s' is larger than 4 MiB");
      break;
    case TemplateProblem::kNotUtf8:
      problem = TranslateLater("the template '%s' is not UTF-8, as the map is");
      break;
    case TemplateProblem::kNoMap:
      problem = TranslateLater("the template '%s' has no {{map}}: put it where the map goes");
      break;
    case TemplateProblem::kTwoMaps:
      problem = TranslateLater("the template '%s' has {{map}} more than once");
      break;
  }
  *error = Fill(Translate(problem), {file});
  return false;
}

}  // namespace zorvitan::cli
