#include "engine/listing/left_out_report.h"

#include "engine/platform/system_text.h"
#include "engine/text/foreign_names.h"

namespace zorvitan {
namespace {

// A tab or line end in a name or URL would break the report's lines.
std::string OnOneLine(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

const char* ReasonWord(LeftOut reason) {
  switch (reason) {
    case LeftOut::kNone:
      return "";
    case LeftOut::kExcluded:
      return "excluded";
    case LeftOut::kNoindex:
      return "noindex";
    case LeftOut::kCanonical:
      return "canonical";
    case LeftOut::kRedirect:
      return "redirect";
    case LeftOut::kRobotsTxt:
      return "robots.txt";
    case LeftOut::kErrorPage:
      return "error page";
    case LeftOut::kTooLong:
      return "too long";
  }
  return "";
}

void LeftOutReport::Add(LeftOut reason, const std::string& path, const std::string& detail) {
  ++counts_[static_cast<int>(reason)];
  report_ += OnOneLine(path);
  report_ += '\t';
  report_ += ReasonWord(reason);
  if (!detail.empty()) report_ += ' ' + OnOneLine(detail);
  report_ += '\n';
}

void LeftOutReport::Note(const std::string& path, const std::string& text) {
  report_ += OnOneLine(path) + '\t' + OnOneLine(text) + '\n';
}

}  // namespace zorvitan
