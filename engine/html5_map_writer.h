// The html5 map: a complete page in UTF-8 (or the user's template) whose list
// nests as the site's folders do. Each folder is an item labelled by its index
// page's title, linked, or else by its name; pages keep the walk's order, but
// a folder's index page comes first, as its label. The map's own file is not
// listed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html5_options.h"
#include "engine/page_list.h"
#include "engine/platform.h"
#include "engine/text_conversion.h"
#include "engine/window_model.h"

namespace zorvitan {

class Html5MapWriter {
 public:
  // `legacy_encoding` as for MapWriter.
  Html5MapWriter(WindowModel& window, Platform& platform, const Html5Options& options,
                 const PageList& page_list, std::string_view legacy_encoding = {});
  ~Html5MapWriter();

  // Writes the whole map; the old one is replaced only once the new one is
  // complete. False (the old map untouched) when it could not be written.
  bool Write();

  // Pages of the list, the map's own file left out.
  std::size_t PagesFound() const { return order_.size(); }
  // Pages that could not be read; they are listed as untitled.
  const std::vector<std::string>& UnreadablePages() const { return unreadable_; }
  // What --strip-common-suffix dropped from the titles, UTF-8; "" for nothing.
  const std::string& StrippedSuffix() const { return suffix_; }

 private:
  // A page's title as read: UTF-8, blanks collapsed; "" when untitled.
  struct Entry {
    std::string title;
    bool readable = true;
  };
  // A folder of the list being written: where its path (relative to the site)
  // ends in open_path_, and whether its <ul> is written yet.
  struct OpenFolder {
    std::size_t end;
    bool list_open;
  };

  void MakeOrder();
  Entry ReadEntry(std::size_t page, std::string* chunk);
  // The title of the page, as markup, and its language (`lang`): given, or
  // from the top index page.
  std::string TitleHtml(std::string* lang);
  void WriteEntry(std::size_t page, Entry entry);
  // Closes and opens folder items until the list is that of `folder`
  // (relative to the site); the page `page` labels the last one it opens when
  // it is that folder's index page. True when the page was written so.
  bool MoveToFolder(std::string_view folder, std::size_t page, const Entry& entry);
  void CloseFolder();
  void OpenList();
  void AppendLink(std::size_t page, const Entry& entry, std::string_view untitled_text);
  void Indent(std::size_t spaces);
  void Emit(std::string_view text);
  void Flush();

  WindowModel& window_;
  Platform& platform_;
  const Html5Options& options_;
  const PageList& page_list_;
  TextConverter converter_;
  char separator_;

  std::vector<std::uint32_t> order_;  // places in the page list, in the map's order
  std::size_t site_length_ = 0;
  bool skip_untitled_ = false;
  std::string suffix_;

  std::string open_path_;
  std::vector<OpenFolder> open_;

  std::unique_ptr<MapOutput> output_;
  std::string buffer_;
  bool write_failed_ = false;
  std::string chunk_;
  std::string helper_chunk_;
  std::vector<std::string> unreadable_;
};

}  // namespace zorvitan
