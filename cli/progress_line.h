// The progress line on a terminal: one line, rewritten in place ("\r") at most
// ten times a second, and cleared before anything else is written.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "engine/run/run_progress.h"

namespace zorvitan::cli {

// What the line says, e.g. "Reading pages: 120/480".
std::string ProgressText(Phase phase, std::size_t done, std::size_t total);

class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;
  using Writer = std::function<void(const std::string&)>;

  // A disabled line writes nothing at all.
  ProgressLine(bool enabled, Writer writer) : enabled_(enabled), writer_(std::move(writer)) {}

  void Update(Phase phase, std::size_t done, std::size_t total, Clock::time_point now);
  void Update(Phase phase, std::size_t done, std::size_t total) {
    if (enabled_) Update(phase, done, total, Clock::now());
  }
  // Blanks the line and puts the cursor back at its start.
  void Clear();

 private:
  static constexpr std::chrono::milliseconds kInterval{100};

  bool enabled_;
  Writer writer_;
  bool drawn_ = false;
  std::size_t width_ = 0;
  Clock::time_point last_draw_;
};

}  // namespace zorvitan::cli
