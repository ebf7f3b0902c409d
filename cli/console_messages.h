// How the command line words a run's notices, in the user's language
// (translation.h). The window words the same notices in its own fixed Polish
// (engine/run/notices.h); machine outputs never pass through here.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/platform/system_text.h"
#include "engine/run/notices.h"

namespace zorvitan::cli {

// Why the inputs were refused; the file that could not be created.
std::string RefusalMessage(const Refusal& refusal);
std::string CannotCreateMessage(const std::string& file);

// "Finished writing the site map", then "Found: N pages": lines for stdout.
std::string ClosingMessage(std::size_t pages_found);

// A sitemap's lines for stderr: pages left out as noindex, head elements past
// the head's end, the other reasons pages were left out, and the dates.
std::vector<std::string> SitemapLines(const RunSummary& summary, const SystemText& system_text);

// The suffix an html5 map dropped from its titles, the folders that could not
// be listed and the pages that could not be read: lines for stderr.
std::vector<std::string> ProblemLines(const RunSummary& summary, const SystemText& system_text);

// No page was left to list: no sitemap was written.
std::string NothingListedMessage(const std::string& map_file, const SystemText& system_text);

}  // namespace zorvitan::cli
