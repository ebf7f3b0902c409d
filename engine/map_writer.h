// The map file writer: turns the page list into the map file, a heading line
// for each change of folder and a link line for each page.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/map_markup.h"
#include "engine/page_list.h"
#include "engine/platform.h"
#include "engine/text_conversion.h"
#include "engine/window_model.h"

namespace zorvitan {

class MapWriter {
 public:
  // `legacy_encoding` is what pages that declare no encoding and are not
  // UTF-8 are taken to be in ("" for the default, text_conversion.h).
  MapWriter(WindowModel& window, Platform& platform, const PageList& page_list,
            std::string& last_folder, std::string_view legacy_encoding = {});
  ~MapWriter();

  // Writes the whole map file from the page list. The new map replaces the old
  // one only once it is complete; returns false (old map untouched) when it
  // could not be written.
  bool Write();

  // Pages of the list that could not be opened or read; they were handled as
  // pages without a title.
  const std::vector<std::string>& UnreadablePages() const { return unreadable_; }

 private:
  // A page's title as read, in the map's encoding, before the untitled rule
  // is applied.
  struct ReadTitle {
    std::string title;
    bool readable = true;
  };
  // One page: its heading when the folder changes, then its link line.
  void WriteEntry(const std::string& path, ReadTitle read);
  void WritePagesReadAhead(std::size_t count);
  ReadTitle PageTitle(const std::string& path, std::string* chunk);
  // Makes the page's text the clipboard's.
  void SetClipboard(const std::string& path);
  // Ends the line being built in the output buffer with `tail` and CR LF.
  void EndLine(const char* tail);
  void Flush();

  WindowModel& window_;
  Platform& platform_;
  const PageList& page_list_;
  std::string& last_folder_;
  char separator_;
  NameBytes name_bytes_;  // how names' bytes go into the markup
  TextConverter converter_;
  std::string untitled_;

  std::unique_ptr<MapOutput> output_;
  std::string out_buffer_;
  bool write_failed_ = false;

  std::size_t site_length_ = 0;
  bool skip_untitled_ = false;
  bool use_clipboard_ = true;
  std::string chunk_;
  std::string helper_chunk_;  // the read buffer of the second reading thread
  std::vector<std::string> unreadable_;
};

}  // namespace zorvitan
