// Reading pages on two threads while their results are used in list order.
//
// Most of a run's time goes to the system calls of opening and reading pages,
// so this thread and a helper thread each take the next place nobody reads yet
// (each with its own read buffer), and this thread uses the results in list
// order as soon as they are there: the output is what one thread would write,
// byte for byte. Neither thread waits for a batch to fill, and a long page on
// one thread holds up only the use of its own result.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace zorvitan {

// `read(i, chunk)` gives the Result for place i, `use(i, result)` takes it and
// returns false to stop, `batch_done(end)` hears when places [0, end) are used
// (every kAhead places and at the end). At most kAhead places are read but
// not used yet: the memory the results may take.
template <typename Result, std::size_t kAhead = 256, typename Read, typename Use,
          typename BatchDone>
void ReadAheadInOrder(std::size_t count, std::string* chunk, std::string* helper_chunk, Read read,
                      Use use, BatchDone batch_done) {
  std::vector<Result> results(std::min(kAhead, count));
  std::vector<char> ready(results.size(), 0);
  std::mutex mutex;
  std::condition_variable helper_wakes, user_wakes;
  std::size_t next_read = 0;  // the next place nobody reads yet
  std::size_t next_use = 0;   // written by this thread only, under the lock
  bool stop = false, helper_waits = false, user_waits = false;

  // These two run under the lock.
  auto take = [&](std::size_t* place) {
    if (stop || next_read == count || next_read - next_use >= kAhead) return false;
    *place = next_read++;
    return true;
  };
  auto put = [&](std::size_t place, Result&& result) {
    results[place % kAhead] = std::move(result);
    ready[place % kAhead] = 1;
  };

  std::thread helper;
  if (count > 1) {
    try {
      helper = std::thread([&] {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
          std::size_t place;
          if (take(&place)) {
            lock.unlock();
            Result result = read(place, helper_chunk);
            lock.lock();
            put(place, std::move(result));
            if (user_waits && place == next_use) user_wakes.notify_one();
          } else if (stop || next_read == count) {
            return;
          } else {  // the results ahead wait to be used
            helper_waits = true;
            helper_wakes.wait(lock);
            helper_waits = false;
          }
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: this thread reads them all.
    }
  }
  auto finish = [&] {
    {
      std::lock_guard<std::mutex> lock(mutex);
      stop = true;
      if (helper_waits) helper_wakes.notify_one();
    }
    if (helper.joinable()) helper.join();
  };

  try {
    std::unique_lock<std::mutex> lock(mutex);
    while (next_use < count) {
      const std::size_t slot = next_use % kAhead;
      std::size_t place;
      if (ready[slot]) {
        Result result = std::move(results[slot]);
        ready[slot] = 0;
        place = next_use++;
        if (helper_waits) helper_wakes.notify_one();
        lock.unlock();
        if (!use(place, std::move(result))) break;
        if (next_use % kAhead == 0 || next_use == count) batch_done(next_use);
        lock.lock();
      } else if (take(&place)) {
        lock.unlock();
        Result result = read(place, chunk);
        lock.lock();
        put(place, std::move(result));
      } else {  // the helper reads the next place to use
        user_waits = true;
        user_wakes.wait(lock);
        user_waits = false;
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

}  // namespace zorvitan
