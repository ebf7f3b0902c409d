#include "engine/formats/classic/map_writer.h"

#include <utility>

#include "engine/page/head_reader.h"
#include "engine/page/read_ahead.h"
#include "engine/run/messages.h"
#include "engine/text/text_rules.h"

namespace zorvitan {

MapWriter::MapWriter(const WriterInputs& inputs, const ClassicOptions& /*options*/,
                     Platform& platform, RunProgress& progress)
    : inputs_(inputs),
      platform_(platform),
      progress_(progress),
      separator_(platform.Separator()),
      name_bytes_(NameBytesOf(platform)),
      converter_(platform, inputs.page_encoding),
      untitled_(platform.ProgramText(messages::kUntitled)),
      output_(platform),
      site_length_(inputs.site_folder.size()),
      skip_untitled_(inputs.skip_untitled) {}

MapWriter::~MapWriter() = default;

WriteResult MapWriter::Write(const WalkedSite& site) {
  const PageList& pages = site.pages;
  result_.summary.pages_found = pages.size();
  result_.outcome = WriteOneFile(&output_, inputs_.map_file,
                                 [this, &pages] { return WritePagesReadAhead(pages); });
  result_.failed_file = output_.failed_file();
  result_.summary.unreadable_pages = std::move(unreadable_);
  return std::move(result_);
}

// The titles are read ahead on two threads and the entries written in list
// order; the page observer hears of each as its entry is written.
bool MapWriter::WritePagesReadAhead(const PageList& pages) {
  const std::size_t count = pages.size();
  bool stopped = false;
  ReadAheadInOrder<ReadTitle>(
      count, &chunk_, &helper_chunk_,
      [this, &pages](std::size_t i, std::string* chunk) { return PageTitle(pages[i], chunk); },
      [this, &pages, &stopped](std::size_t i, ReadTitle read) {
        if (!progress_.KeepGoing()) {
          stopped = true;
          return false;
        }
        if (read.readable) PageTaken(pages[i]);
        WriteEntry(pages[i], std::move(read));
        return !output_.Failed();
      },
      [this, count](std::size_t done) { progress_.Report(Phase::kReading, done, count); });
  return !stopped;
}

void MapWriter::WriteEntry(const std::string& path, ReadTitle read) {
  if (!read.readable) unreadable_.push_back(path);
  const std::string& title = read.title.empty() ? untitled_ : read.title;

  std::string folder = FolderOf(path, separator_);
  if (folder != last_folder_) {
    last_folder_ = std::move(folder);
    output_.text() += "<h1>";
    AppendHtmlText(last_folder_, name_bytes_, &output_.text());
    EndLine("</h1>");
  }

  const std::string relative = path.size() > site_length_ ? path.substr(site_length_) : "";
  // A page titled with the placeholder itself counts as untitled.
  const bool titled = title != untitled_;
  if (titled || !skip_untitled_) {
    // Untitled links keep the path's backslashes (browsers read them as "/").
    output_.text() += "<br><a href=\"";
    AppendHref(titled ? WithForwardSlashes(relative, separator_) : relative, name_bytes_,
               &output_.text());
    output_.text() += "\">";
    output_.text() += title;
    EndLine("</a>");
  }
}

// Nothing behind the title matters to the map: the page is read no further.
// The title is converted here, on the reading threads.
MapWriter::ReadTitle MapWriter::PageTitle(const std::string& path, std::string* chunk) {
  ReadTitle read;
  PageHead head;
  if (ReadPageHead(platform_, path, chunk, kNeedsTitle, &head) != ReadResult::kOk) {
    read.readable = false;
  } else if (!head.title.empty()) {
    read.title = converter_.TitleForMap(head.title, head.declared_encoding);
  }
  return read;
}

void MapWriter::EndLine(const char* tail) {
  output_.text() += tail;
  output_.text() += "\r\n";
  output_.FlushIfFull();
}

}  // namespace zorvitan
