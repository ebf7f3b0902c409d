#include "ui/clipboard_feeder.h"

#include <chrono>
#include <thread>

#include "engine/page/page_text.h"

namespace zorvitan {
namespace {

constexpr int kClipboardTries = 3;
constexpr std::chrono::milliseconds kClipboardPause(15);

}  // namespace

ClipboardFeeder::ClipboardFeeder(Clipboard& clipboard, Platform& platform,
                                 const std::string& page_encoding)
    : clipboard_(&clipboard), platform_(platform), converter_(platform, page_encoding) {}

void ClipboardFeeder::PageTaken(const std::string& path) {
  if (clipboard_ == nullptr) return;
  // The page's whole text is read again when the clipboard makes it. The
  // promise may be kept after this run is over: the lambdas hold copies.
  Platform& platform = platform_;
  auto page_text = [&platform, path](std::string* text) {
    std::string chunk;
    return ReadPageText(platform, path, &chunk, text) == ReadResult::kOk;
  };
  auto unicode_text = [&platform, converter = converter_, path](std::string* utf8) {
    return ReadPageUnicodeText(platform, path, converter, utf8) == ReadResult::kOk;
  };
  for (int attempt = 0; attempt < kClipboardTries; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kClipboardPause);
    if (clipboard_->SetTextFrom(page_text, unicode_text)) return;
  }
  clipboard_ = nullptr;
}

}  // namespace zorvitan
