#include "cli/console_messages.h"

#include "cli/translation.h"
#include "engine/text/foreign_names.h"

namespace zorvitan::cli {
namespace {

std::string Count(std::size_t count) { return std::to_string(count); }

// The reasons a sitemap leaves pages out, counted on standard error; noindex
// has its own line first, and --exclude is what the user asked for.
const std::pair<LeftOut, const char*> kLeftOutLines[] = {
    {LeftOut::kRedirect, TranslateLater("Left out redirects (meta refresh): %s")},
    {LeftOut::kCanonical, TranslateLater("Left out pages with another canonical URL: %s")},
    {LeftOut::kErrorPage, TranslateLater("Left out 404 error pages: %s")},
    {LeftOut::kRobotsTxt, TranslateLater("Left out pages blocked by robots.txt: %s")},
    {LeftOut::kTooLong, TranslateLater("Left out URLs longer than 2048 characters: %s")},
};

std::string PastHeadLine(const PastHeadFinding& found, const SystemText& system_text) {
  const std::string page = system_text.ProgramText(found.page);
  if (found.ended_at.empty()) {
    return Fill(Translate("%s: %s after the head ended at text (line %s): search engines do "
                          "not see it"),
                {page, found.element, Count(found.line)});
  }
  return Fill(Translate("%s: %s after the head ended at %s (line %s): search engines do not "
                        "see it"),
              {page, found.element, found.ended_at, Count(found.line)});
}

// Why the dates are file times, or nothing.
std::string DatesFallbackLine(const ListingNotices& notices, const SystemText& system_text) {
  const std::string site = PathForMessage(notices.site, system_text);
  switch (notices.dates_fallback) {
    case DatesFallback::kNone:
      break;
    case DatesFallback::kNoGit:
      return Translate("Cannot run git: the dates (lastmod) are the files' times");
    case DatesFallback::kNotARepository:
      return Fill(Translate("The folder is not in a git repository: %s; the dates (lastmod) are "
                            "the files' times"),
                  {site});
    case DatesFallback::kShallow:
      return Translate(
          "The git repository is a shallow clone, without its whole history: the dates (lastmod) "
          "are the files' times. To fetch the whole history: git fetch --unshallow");
    case DatesFallback::kGitFailed:
      return Fill(Translate("Cannot read the git history of the folder: %s; the dates (lastmod) "
                            "are the files' times"),
                  {site});
  }
  return std::string();
}

}  // namespace

std::string RefusalMessage(const Refusal& refusal) {
  switch (refusal.reason) {
    case Refusal::kNoSiteFolder:
      return Translate("Give the folder that holds the web site");
    case Refusal::kNoMapFile:
      return Translate("Give the name of the file to write the site map into");
    case Refusal::kNoPatterns:
      return Translate(
          "Give the patterns of the files to list, separated by semicolons, for example:\n"
          "*.htm; *.html; *.php; *.shtm");
    case Refusal::kMapFileNotCreated:
      return CannotCreateMessage(refusal.path);
    case Refusal::kSiteFolderNotOpened:
      return Fill(Translate("Cannot open the folder: %s"), {refusal.path});
  }
  return std::string();
}

std::string CannotCreateMessage(const std::string& file) {
  return Fill(Translate("Cannot create the file: %s"), {file});
}

std::string ClosingMessage(std::size_t pages_found) {
  return Translate("Finished writing the site map") + "\n" +
         Fill(TranslatePlural("Found: %s page", "Found: %s pages", pages_found),
              {Count(pages_found)}) +
         "\n";
}

std::vector<std::string> SitemapLines(const RunSummary& summary, const SystemText& system_text) {
  std::vector<std::string> lines;
  if (summary.noindex_pages > 0) {
    lines.push_back(
        Fill(Translate("Left out pages marked noindex: %s"), {Count(summary.noindex_pages)}));
  }
  const ListingNotices& notices = summary.listing;
  for (const PastHeadFinding& found : notices.past_head) {
    lines.push_back(PastHeadLine(found, system_text));
  }
  for (const auto& [reason, text] : kLeftOutLines) {
    const std::size_t count = notices.left_out[static_cast<int>(reason)];
    if (count > 0) lines.push_back(Fill(Translate(text), {Count(count)}));
  }
  if (notices.hreflang_problems > 0) {
    lines.push_back(Fill(Translate("Faults in hreflang alternates: %s (named by --report)"),
                         {Count(notices.hreflang_problems)}));
  }
  if (notices.hreflang_pages_left_out > 0) {
    lines.push_back(
        Fill(Translate("Left out the hreflang alternates of pages (the pages stay listed): %s"),
             {Count(notices.hreflang_pages_left_out)}));
  }
  const std::string fallback = DatesFallbackLine(notices, system_text);
  if (!fallback.empty()) lines.push_back(fallback);
  if (notices.future_dates > 0) {
    lines.push_back(Fill(Translate("Left out dates (lastmod) in the future: %s"),
                         {Count(notices.future_dates)}));
  }
  if (notices.one_day_dates > 0) {
    lines.push_back(Fill(
        Translate("Warning: %s of %s dates (lastmod) fall on one day, %s: search engines do not "
                  "trust such dates. Dates of the last changes from the git history: --lastmod "
                  "git; a sitemap without dates: --lastmod none"),
        {Count(notices.one_day_dates), Count(notices.dated), notices.one_day}));
  }
  return lines;
}

std::vector<std::string> ProblemLines(const RunSummary& summary, const SystemText& system_text) {
  std::vector<std::string> lines;
  if (!summary.stripped_suffix.empty()) {
    lines.push_back(Fill(Translate("Dropped the suffix the titles share: \"%s\""),
                         {system_text.ProgramText(summary.stripped_suffix)}));
  }
  for (const std::string& folder : summary.unopened_folders) {
    lines.push_back(
        Fill(Translate("Cannot open the folder: %s"), {PathForMessage(folder, system_text)}));
  }
  for (const std::string& page : summary.unreadable_pages) {
    lines.push_back(
        Fill(Translate("Cannot read the file: %s"), {PathForMessage(page, system_text)}));
  }
  return lines;
}

std::string NothingListedMessage(const std::string& map_file, const SystemText& system_text) {
  return Fill(Translate("No sitemap written: no page is fit to be listed; the old file stays as "
                        "it was: %s"),
              {PathForMessage(map_file, system_text)});
}

}  // namespace zorvitan::cli
