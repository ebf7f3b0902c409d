#include "cli/progress_line.h"

#include <string>

#include "cli/translation.h"

namespace zorvitan::cli {

std::string ProgressText(Phase phase, std::size_t done, std::size_t total) {
  std::string count = std::to_string(done);
  if (total > 0) count += "/" + std::to_string(total);
  switch (phase) {
    case Phase::kWalking:
      return Fill(Translate("Walking folders: %s"), {count});
    case Phase::kReading:
      return Fill(Translate("Reading pages: %s"), {count});
  }
  return count;
}

void ProgressLine::Update(Phase phase, std::size_t done, std::size_t total, Clock::time_point now) {
  if (!enabled_ || (drawn_ && now - last_draw_ < kInterval)) return;
  const std::string text = ProgressText(phase, done, total);
  // Pad over the rest of a longer earlier line; no escape sequences, so old
  // Windows consoles show it too.
  const std::size_t pad = width_ > text.size() ? width_ - text.size() : 0;
  writer_("\r" + text + std::string(pad, ' '));
  width_ = text.size() + pad;
  drawn_ = true;
  last_draw_ = now;
}

void ProgressLine::Clear() {
  if (!enabled_ || width_ == 0) return;
  writer_("\r" + std::string(width_, ' ') + "\r");
  width_ = 0;
}

}  // namespace zorvitan::cli
