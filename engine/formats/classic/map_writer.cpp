#include "engine/formats/classic/map_writer.h"

#include <chrono>
#include <thread>
#include <utility>

#include "engine/page/head_reader.h"
#include "engine/page/page_text.h"
#include "engine/page/read_ahead.h"
#include "engine/run/messages.h"
#include "engine/text/text_rules.h"

namespace zorvitan {

namespace {

constexpr int kClipboardTries = 3;
constexpr std::chrono::milliseconds kClipboardPause(15);

}  // namespace

MapWriter::MapWriter(const WriterInputs& inputs, const ClassicOptions& options, Platform& platform,
                     RunProgress& progress)
    : inputs_(inputs),
      platform_(platform),
      progress_(progress),
      separator_(platform.Separator()),
      name_bytes_(NameBytesOf(platform)),
      converter_(platform, inputs.page_encoding),
      untitled_(platform.ProgramText(messages::kUntitled)),
      output_(platform),
      site_length_(inputs.site_folder.size()),
      skip_untitled_(inputs.skip_untitled),
      clipboard_(options.clipboard) {}

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
// order; with the clipboard, each page goes there in turn as its entry is
// written (the platform makes its whole text only when a program asks).
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
        if (clipboard_ != nullptr && read.readable) SetClipboard(pages[i]);
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

void MapWriter::SetClipboard(const std::string& path) {
  // The clipboard holds the page's whole text, read again when it is made:
  // its bytes, and its letters decoded from the page's encoding.
  Platform& platform = platform_;
  auto page_text = [&platform, path](std::string* text) {
    std::string chunk;
    return ReadPageText(platform, path, &chunk, text) == ReadResult::kOk;
  };
  // The promise may be kept after this writer is gone: the lambdas hold
  // nothing of it.
  auto unicode_text = [&platform, converter = converter_, path](std::string* utf8) {
    return ReadPageUnicodeText(platform, path, converter, utf8) == ReadResult::kOk;
  };
  // Another program may hold the clipboard for a moment. When it stays
  // refused, the run goes on without it rather than crawl or fail.
  for (int attempt = 0; attempt < kClipboardTries; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kClipboardPause);
    if (clipboard_->SetTextFrom(page_text, unicode_text)) return;
  }
  clipboard_ = nullptr;
}

void MapWriter::EndLine(const char* tail) {
  output_.text() += tail;
  output_.text() += "\r\n";
  output_.FlushIfFull();
}

}  // namespace zorvitan
