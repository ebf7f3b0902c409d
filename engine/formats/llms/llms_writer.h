// llms.txt: the site's index for language models, in Markdown. "# Name", a
// "> summary" from the top index page's description, then a "## Section" per
// folder (the top folder's under the site's name, the others labelled as the
// html5 page labels them), each a list of "- [title](url): description";
// the folders --optional names go last, under "## Optional". Its URLs and the
// pages it leaves out are the sitemap's, by the same shared rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/formats/file_set_output.h"
#include "engine/formats/format_writer.h"
#include "engine/formats/llms/llms_options.h"
#include "engine/listing/page_listing.h"
#include "engine/run/run_progress.h"
#include "engine/walk/exclusions.h"

namespace zorvitan {

class LlmsWriter : public FormatWriter {
 public:
  LlmsWriter(const WriterInputs& inputs, const LlmsOptions& options, Platform& platform,
             RunProgress& progress);

  // Writes the file, and the report when asked, as one set: the old files
  // stay when either could not be written, when the front end said not to go
  // on, or when no page is left to list (kNothingListed).
  WriteResult Write(const WalkedSite& site) override;

 private:
  // A page as read: what the listing learns, and its texts in UTF-8.
  struct Entry {
    ListingFacts facts;
    std::string title;
    std::string description;
  };

  // The file's text: false when the front end said to stop.
  bool WriteFile();
  Entry ReadEntry(std::size_t page, std::string* chunk) const;
  // The file's start: "# Name" and the summary.
  void WriteStart();
  void TakeEntry(std::size_t page, const Entry& entry);
  // Opens the folder of `page` when it is another than the last one's; its
  // label is its index page's title when that page is `page` and listed.
  void EnterFolder(std::size_t page, const Entry& entry, bool listed);
  void AppendItem(std::size_t page, const Entry& entry, std::string* out) const;
  // Whether the folder at `relative` (the platform's separators, ending in
  // one) or one above it is named by --optional.
  bool IsOptional(const std::string& relative) const;

  const WriterInputs& inputs_;
  const LlmsOptions& options_;
  Platform& platform_;
  RunProgress& progress_;
  WriteResult result_;
  PageListing listing_;
  TextConverter converter_;
  Exclusions optional_;
  FileSetOutput output_;
  const PageList* pages_ = nullptr;
  std::vector<std::uint32_t> order_;  // places in the page list, in the file's order
  std::string name_;                  // the site's, UTF-8

  const std::string* folder_ = nullptr;  // of the last page taken, in the page list
  bool folder_optional_ = false;
  std::string label_;          // the folder's section, UTF-8
  bool label_written_ = true;  // the top folder's is written with the start
  std::string optional_text_;  // the items under "## Optional", written last
  std::size_t listed_ = 0;
  std::string chunk_;
  std::string helper_chunk_;
};

}  // namespace zorvitan
