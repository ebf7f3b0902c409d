// The machine sitemap's files: the URLs SitemapPlan lists, as sitemaps.org
// 0.9 XML (<urlset>) or text; when split, numbered files beside MAP, which
// becomes their <sitemapindex> (text has no index: MAP then goes); the report
// and robots.txt. All are one FileSetOutput, so a failure keeps the old set.
#pragma once

#include <string>
#include <vector>

#include "engine/formats/file_set_output.h"
#include "engine/formats/format_writer.h"
#include "engine/formats/sitemap/sitemap_plan.h"
#include "engine/run/run_progress.h"

namespace zorvitan {

class SitemapSetWriter : public FormatWriter {
 public:
  SitemapSetWriter(const WriterInputs& inputs, const SitemapOptions& options, Platform& platform,
                   RunProgress& progress);

  // Writes the whole set; the old set stays untouched when it could not, when
  // the front end said not to go on, or when no page is left to list
  // (kNothingListed). The pages found leave out the sitemap's own files; pages
  // that could not be read are listed, since nothing said otherwise.
  // What --exclude left out of the walk is the report's first lines.
  WriteResult Write(const WalkedSite& site) override;

 private:
  // A file of URLs and, for the index, their newest date.
  struct UrlFile {
    std::string path;
    bool dated = false;
    std::int64_t newest = 0;
  };

  // Write() but for its result: false when it failed, was stopped or found
  // nothing to list.
  bool WriteSet(const PageList& pages, const std::vector<std::string>& excluded);
  bool WriteReady();
  std::string IndexText() const;
  // The site's robots.txt with "Sitemap:" lines, when it lacks them.
  bool AddRobotsTxt();
  // Where a file of the set is published: the base URL and its path in the
  // site (a file outside the site is taken to lie at the site's root).
  std::string FileUrl(const std::string& path) const;

  Platform& platform_;
  RunProgress& progress_;
  const SitemapOptions& options_;
  const std::string& site_;
  WriteResult result_;
  SitemapPlan plan_;
  FileSetOutput output_;
  std::vector<UrlFile> files_;
  std::vector<SitemapUrl> ready_;
  std::string chunk_;
  std::string helper_chunk_;  // the read buffer of the second reading thread
};

}  // namespace zorvitan
