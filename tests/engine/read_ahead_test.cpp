#include "engine/page/read_ahead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace zorvitan {
namespace {

struct Trace {
  std::mutex mutex;
  std::set<std::thread::id> readers;
  std::size_t furthest_read = 0;
  std::vector<std::size_t> used;
  std::vector<std::size_t> batches;
};

// Reads place i as "page i"; some places take a while, as long pages do.
void ReadPages(std::size_t count, std::size_t stop_at, Trace* trace) {
  std::string chunk, helper_chunk;
  ReadAheadInOrder<std::string>(
      count, &chunk, &helper_chunk,
      [trace](std::size_t i, std::string*) {
        if (i % 37 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::lock_guard<std::mutex> lock(trace->mutex);
        trace->readers.insert(std::this_thread::get_id());
        trace->furthest_read = std::max(trace->furthest_read, i);
        return "page " + std::to_string(i);
      },
      [trace, stop_at](std::size_t i, std::string result) {
        EXPECT_EQ(result, "page " + std::to_string(i));
        trace->used.push_back(i);
        return i != stop_at;
      },
      [trace](std::size_t done) { trace->batches.push_back(done); });
}

TEST(ReadAheadTest, TwoThreadsReadAndEveryResultIsUsedOnceInListOrder) {
  Trace trace;
  ReadPages(1000, 1000, &trace);
  ASSERT_EQ(trace.used.size(), 1000u);
  for (std::size_t i = 0; i < trace.used.size(); ++i) ASSERT_EQ(trace.used[i], i);
  EXPECT_EQ(trace.batches, (std::vector<std::size_t>{256, 512, 768, 1000}));
  EXPECT_EQ(trace.readers.size(), 2u);
}

TEST(ReadAheadTest, StopsWhereUseSaysSoAndReadsBoundedlyAhead) {
  Trace trace;
  ReadPages(5000, 300, &trace);
  EXPECT_EQ(trace.used.size(), 301u);
  EXPECT_EQ(trace.used.back(), 300u);
  EXPECT_LE(trace.furthest_read, 300u + 256u);
  EXPECT_EQ(trace.batches, (std::vector<std::size_t>{256}));

  Trace one;
  ReadPages(1, 1, &one);
  EXPECT_EQ(one.used, (std::vector<std::size_t>{0}));
}

}  // namespace
}  // namespace zorvitan
