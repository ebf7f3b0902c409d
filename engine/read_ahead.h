// Reading pages on two threads while their results are used in list order.
//
// Most of a run's time goes to the system calls of opening and reading pages,
// so two threads read a batch (the even places here, the odd ones on a helper
// thread, each with its own read buffer) and the results are then used one by
// one in list order: the output is what one thread would write, byte for byte.
#pragma once

#include <algorithm>
#include <cstddef>
#include <future>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace zorvitan {

// `read(i, chunk)` gives the Result for place i, `use(i, result)` takes it and
// returns false to stop, `batch_done(end)` hears when places [0, end) are used.
template <typename Result, typename Read, typename Use, typename BatchDone>
void ReadAheadInOrder(std::size_t count, std::string* chunk, std::string* helper_chunk, Read read,
                      Use use, BatchDone batch_done) {
  constexpr std::size_t kBatch = 256;
  std::vector<Result> batch(std::min(kBatch, count));
  for (std::size_t start = 0; start < count; start += kBatch) {
    const std::size_t size = std::min(kBatch, count - start);
    auto read_odd = [&] {
      for (std::size_t i = 1; i < size; i += 2) batch[i] = read(start + i, helper_chunk);
    };
    std::future<void> helper;
    if (size > 1) {
      try {
        helper = std::async(std::launch::async, read_odd);
      } catch (const std::system_error&) {
        // No thread to be had: this thread reads them all.
      }
    }
    for (std::size_t i = 0; i < size; i += 2) batch[i] = read(start + i, chunk);
    if (helper.valid()) {
      helper.get();
    } else {
      read_odd();
    }
    for (std::size_t i = 0; i < size; ++i) {
      if (!use(start + i, std::move(batch[i]))) return;
    }
    batch_done(start + size);
  }
}

}  // namespace zorvitan
