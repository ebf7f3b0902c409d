// The map file writer: turns the page list into the map file, a heading line
// for each change of folder and a link line for each page.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/formats/classic/classic_options.h"
#include "engine/formats/classic/map_markup.h"
#include "engine/formats/file_set_output.h"
#include "engine/formats/format_writer.h"
#include "engine/formats/write_result.h"
#include "engine/platform/platform.h"
#include "engine/run/run_progress.h"
#include "engine/text/text_conversion.h"
#include "engine/walk/page_list.h"

namespace zorvitan {

class MapWriter : public FormatWriter {
 public:
  MapWriter(const WriterInputs& inputs, const ClassicOptions& options, Platform& platform,
            RunProgress& progress);
  ~MapWriter() override;

  // Writes the whole map file from the page list. The new map replaces the old
  // one only once it is complete: the old map stays when it could not be
  // written or the front end said not to go on. Pages that could not be read
  // are linked as untitled and named in the result.
  WriteResult Write(const WalkedSite& site) override;

 private:
  // A page's title as read, in the map's encoding, before the untitled rule
  // is applied.
  struct ReadTitle {
    std::string title;
    bool readable = true;
  };
  // One page: its heading when the folder changes, then its link line.
  void WriteEntry(const std::string& path, ReadTitle read);
  // False when the front end said to stop.
  bool WritePagesReadAhead(const PageList& pages);
  ReadTitle PageTitle(const std::string& path, std::string* chunk);
  // Ends the line being built in the output buffer with `tail` and CR LF.
  void EndLine(const char* tail);

  const WriterInputs& inputs_;
  Platform& platform_;
  RunProgress& progress_;
  char separator_;
  NameBytes name_bytes_;  // how names' bytes go into the markup
  TextConverter converter_;
  std::string untitled_;

  FileSetOutput output_;

  std::string last_folder_;  // of the last entry written
  std::size_t site_length_;
  bool skip_untitled_;
  std::string chunk_;
  std::string helper_chunk_;  // the read buffer of the second reading thread
  std::vector<std::string> unreadable_;
  WriteResult result_;
};

}  // namespace zorvitan
