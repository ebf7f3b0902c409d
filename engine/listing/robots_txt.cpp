#include "engine/listing/robots_txt.h"

#include <cstddef>

#include "engine/text/text_rules.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {
namespace {

const char kBlanks[] = " \t";

// "Field: value # comment" → the field in lower case and the value; false for
// a line without a colon.
bool SplitLine(std::string_view line, std::string* field, std::string* value) {
  const std::size_t hash = line.find('#');
  if (hash != std::string_view::npos) line = line.substr(0, hash);
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  *field = LowerAscii(Trim(line.substr(0, colon), kBlanks));
  *value = Trim(line.substr(colon + 1), kBlanks);
  return true;
}

}  // namespace

RobotsTxt::RobotsTxt(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  // A run of User-agent lines opens a group; any other field ends the run.
  bool in_agent_run = false;
  bool group_for_all = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string field, value;
    if (SplitLine(text.substr(start, end - start), &field, &value)) {
      if (field == "user-agent") {
        if (!in_agent_run) group_for_all = false;
        in_agent_run = true;
        const std::string agent = LowerAscii(Trim(value.substr(0, value.find('/')), kBlanks));
        if (agent == "*") group_for_all = true;
      } else {
        in_agent_run = false;
        const bool allow = field == "allow";
        if (group_for_all && (allow || field == "disallow") && !value.empty()) {
          Rule rule;
          rule.allow = allow;
          rule.text = (allow ? "Allow: " : "Disallow: ") + value;
          std::string_view pattern = value;
          if (!pattern.empty() && pattern.back() == '$') {
            rule.anchored = true;
            pattern.remove_suffix(1);
            ++rule.length;
          }
          std::size_t piece_start = 0;
          for (;;) {
            const std::size_t star = pattern.find('*', piece_start);
            rule.pieces.push_back(
                ComparableUrlText(pattern.substr(piece_start, star - piece_start)));
            rule.length += rule.pieces.back().size();
            if (star == std::string_view::npos) break;
            ++rule.length;
            piece_start = star + 1;
          }
          rules_.push_back(std::move(rule));
        }
      }
    }
    if (end == text.size()) break;
    start = end + 1;
  }
}

// Whether the path starts with the rule's pattern: its first piece at the
// start, every later one after the one before it (the leftmost place is the
// best for what follows), and for "$" the last piece at the very end.
bool RobotsTxt::Matches(const Rule& rule, std::string_view path) {
  const std::vector<std::string>& pieces = rule.pieces;
  if (path.compare(0, pieces[0].size(), pieces[0]) != 0) return false;
  std::size_t at = pieces[0].size();
  if (pieces.size() == 1) return !rule.anchored || at == path.size();
  for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
    const std::size_t found = path.find(pieces[i], at);
    if (found == std::string_view::npos) return false;
    at = found + pieces[i].size();
  }
  const std::string& last = pieces.back();
  if (!rule.anchored) return path.find(last, at) != std::string_view::npos;
  return path.size() >= at + last.size() &&
         path.compare(path.size() - last.size(), last.size(), last) == 0;
}

bool RobotsTxt::Allows(std::string_view path, std::string* rule) const {
  if (rules_.empty()) return true;
  const std::string canonical = ComparableUrlText(path);
  const Rule* decisive = nullptr;
  for (const Rule& candidate : rules_) {
    if (!Matches(candidate, canonical)) continue;
    if (decisive == nullptr || candidate.length > decisive->length ||
        (candidate.length == decisive->length && candidate.allow && !decisive->allow)) {
      decisive = &candidate;
    }
  }
  if (decisive == nullptr || decisive->allow) return true;
  if (rule != nullptr) *rule = decisive->text;
  return false;
}

bool AddSitemapLine(const std::string& robots_txt, const std::string& url, std::string* updated) {
  bool crlf = false;
  std::size_t start = 0;
  while (start < robots_txt.size()) {
    std::size_t end = robots_txt.find('\n', start);
    if (end == std::string::npos) end = robots_txt.size();
    std::string_view line(robots_txt.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') {
      crlf = true;
      line.remove_suffix(1);
    }
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos &&
        LowerAscii(Trim(line.substr(0, colon), kBlanks)) == "sitemap" &&
        Trim(line.substr(colon + 1), kBlanks) == url) {
      return false;
    }
    start = end + 1;
  }
  const char* line_end = crlf ? "\r\n" : "\n";
  *updated = robots_txt;
  if (!updated->empty() && updated->back() != '\n') *updated += line_end;
  *updated += "Sitemap: " + url + line_end;
  return true;
}

}  // namespace zorvitan
