// What every format's writer shares: the inputs each is given beside its own
// options, the site a walk found, and the one call that writes the output.
// Formats are peers: the run picks one from the table (format_table.h).
#pragma once

#include <string>
#include <vector>

#include "engine/formats/write_result.h"
#include "engine/run/page_observer.h"
#include "engine/walk/page_list.h"

namespace zorvitan {

// Where the site is, where the output goes and how pages are read, whatever
// the format. Text is in the system's 8-bit code page.
struct WriterInputs {
  std::string site_folder;  // with its separator once the run has checked it
  std::string map_file;
  bool skip_untitled = false;
  // The encoding of pages that declare none and are not UTF-8, by its name
  // (engine/text/encoding_labels.h); "" for the default (text_conversion.h).
  std::string page_encoding;
};

// What the walk found: every page, and what --exclude left out of it by path
// in the site (the platform's separators), pages and folders.
struct WalkedSite {
  const PageList& pages;
  const std::vector<std::string>& excluded;
};

class FormatWriter {
 public:
  virtual ~FormatWriter() = default;
  // Writes the whole output; the old files are replaced only once the new
  // ones are complete, and stay when they could not be written, when the
  // front end said not to go on, or when nothing was left to list.
  virtual WriteResult Write(const WalkedSite& site) = 0;

  // Hears of each page taken, in the list's order; none by default.
  void SetPageObserver(PageObserver* observer) { observer_ = observer; }

 protected:
  void PageTaken(const std::string& path) {
    if (observer_ != nullptr) observer_->PageTaken(path);
  }

 private:
  PageObserver* observer_ = nullptr;
};

}  // namespace zorvitan
