#include "engine/map_writer.h"

#include <chrono>
#include <thread>
#include <utility>

#include "engine/messages.h"
#include "engine/mod_html.h"
#include "engine/page_text.h"
#include "engine/text_rules.h"

namespace zorvitan {

namespace {

constexpr std::size_t kFlushAt = 256 * 1024;
constexpr int kClipboardTries = 3;
constexpr std::chrono::milliseconds kClipboardPause(15);

}  // namespace

MapWriter::MapWriter(WindowModel& window, Platform& platform,
                     const std::vector<std::string>& list1, std::string& last_folder)
    : window_(window),
      platform_(platform),
      list1_(list1),
      last_folder_(last_folder),
      separator_(platform.Separator()),
      untitled_(platform.ProgramText(messages::kUntitled)) {}

MapWriter::~MapWriter() = default;

bool MapWriter::Mapa() {
  // Every map starts with its first heading, even when the previous run ended
  // in the same folder.
  last_folder_.clear();
  unreadable_.clear();
  site_length_ = window_.Text(Field::kText1).size();
  skip_untitled_ = window_.Check1() != 0;
  use_clipboard_ = window_.UsesClipboard();

  output_ = platform_.BeginMap(window_.Text(Field::kText2));
  if (!output_) return false;
  out_buffer_.clear();
  write_failed_ = false;

  const std::size_t count = list1_.size();
  for (std::size_t i = 0; i < count && !write_failed_; ++i) {
    RobStrone(list1_[i]);
    window_.ReportProgress(Phase::kReading, i + 1, count);
  }
  Flush();
  const bool written = !write_failed_ && output_->Commit();
  output_.reset();  // an uncommitted temporary file is removed here
  return written;
}

void MapWriter::RobStrone(const std::string& path) {
  const std::string title = PageTitle(path);

  std::string folder = Katal(path, separator_);
  if (folder != last_folder_) {
    last_folder_ = std::move(folder);
    WriteLine("<h1>", last_folder_, "</h1>");
  }

  const std::string relative = path.size() > site_length_ ? path.substr(site_length_) : "";
  if (title != untitled_) {
    WriteLine("<br><a href=\"", Ukosniki(relative, separator_), "\">", title, "</a>");
  } else if (!skip_untitled_) {
    WriteLine("<br><a href=\"", relative, "\">", untitled_, "</a>");
  }
}

std::string MapWriter::PageTitle(const std::string& path) {
  ReadResult result;
  std::string title;
  if (use_clipboard_) {
    result = ReadPageText(platform_, path, &chunk_, &page_text_);
    if (result == ReadResult::kOk) {
      SetClipboard(page_text_);
      return GetPageTitle(page_text_, untitled_);
    }
  } else {
    // Without the clipboard nothing behind the title matters: read no further.
    result = ReadPageTitle(platform_, path, &chunk_, &title);
  }
  if (result != ReadResult::kOk) {
    unreadable_.push_back(path);
    return untitled_;
  }
  return title.empty() ? untitled_ : title;
}

void MapWriter::SetClipboard(const std::string& text) {
  // Another program may hold the clipboard for a moment. When it stays
  // refused, the run goes on without it rather than crawl or fail.
  for (int attempt = 0; attempt < kClipboardTries; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kClipboardPause);
    if (platform_.SetClipboardText(text)) return;
  }
  use_clipboard_ = false;
}

void MapWriter::WriteLine(const std::string& a, const std::string& b, const std::string& c,
                          const std::string& d, const std::string& e) {
  out_buffer_ += a;
  out_buffer_ += b;
  out_buffer_ += c;
  out_buffer_ += d;
  out_buffer_ += e;
  out_buffer_ += "\r\n";
  if (out_buffer_.size() >= kFlushAt) Flush();
}

void MapWriter::Flush() {
  if (!out_buffer_.empty() && !write_failed_) {
    write_failed_ = !output_->Write(out_buffer_.data(), out_buffer_.size());
  }
  out_buffer_.clear();
}

}  // namespace zorvitan
