// What a generation run tells the user, as data, and the program's own words
// for it. The front ends choose how to show them: the window in message boxes,
// the command line on its streams.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/listing/listing_notices.h"

namespace zorvitan {

class SystemText;

// The three inputs the window has a text field for.
enum class Field { kSiteFolder, kMapFile, kPatterns };

// Why the inputs were refused; the run did not start.
struct Refusal {
  enum Reason {
    kNoSiteFolder,
    kNoMapFile,
    kNoPatterns,
    kMapFileNotCreated,   // `path`: the map file as given
    kSiteFolderNotOpened  // `path`: the site folder as given
  };
  Reason reason;
  std::string path;
  Field field = Field::kSiteFolder;  // the input it is about
};

// A finished run.
struct RunSummary {
  std::size_t pages_found = 0;                // every page listed, untitled ones too
  std::vector<std::string> unreadable_pages;  // listed, linked as untitled
  std::vector<std::string> unopened_folders;  // found but not listed: their pages are missing
  std::size_t noindex_pages = 0;              // left out of a sitemap: they asked not to be indexed
  std::string stripped_suffix;                // dropped from an html5 map's titles, UTF-8
  ListingNotices listing;                     // left out by reason, dates: for the front end
};

// The texts, in the system's code page; line breaks are CR LF.
std::string RefusalText(const Refusal& refusal, const SystemText& system_text);
std::string MapNotWrittenText(const std::string& map_file, const SystemText& system_text);
// No page was left to list: no sitemap was written.
std::string NothingListedText(const std::string& map_file, const SystemText& system_text);
std::string ClosingText(std::size_t pages_found, const SystemText& system_text);
// One line naming a folder that could not be listed, or a page that could not
// be read.
std::string UnopenedFolderLine(const std::string& folder, const SystemText& system_text);
std::string UnreadablePageLine(const std::string& page, const SystemText& system_text);
// How many pages a sitemap left out as noindex.
std::string NoindexLine(std::size_t pages, const SystemText& system_text);
// The suffix an html5 map dropped from its titles (UTF-8).
std::string StrippedSuffixLine(const std::string& suffix, const SystemText& system_text);
// The window's summary of both, in one box: each folder on a line of its own
// (the first few), then the first unreadable page and how many there were.
// Empty when nothing went wrong.
std::string ProblemsText(const RunSummary& summary, const SystemText& system_text);

// The box titles.
std::string ErrorTitle(const SystemText& system_text);
std::string ProgramTitle(const SystemText& system_text);

}  // namespace zorvitan
