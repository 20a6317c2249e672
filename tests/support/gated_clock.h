#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "base/clock.h"

namespace velt::test {

// A clock whose sleeps wait at a gate that the test closes and opens: a worker stays at
// a known pause while the test acts, and nothing depends on how fast either thread
// runs. Past the gate a sleep is the wrapped clock's: a ManualClock's, taken at once,
// or the real one's, for real latency. Sleeps on the thread that made the clock never
// wait. A sleep held kMostHeld fails the test and opens the gate, so that a test that
// never opens it still ends.
class GatedClock : public Clock {
 public:
  static constexpr std::chrono::seconds kMostHeld{30};

  explicit GatedClock(std::unique_ptr<Clock> time, bool open = true)
      : time_(std::move(time)), open_(open) {}

  void sleepFor(std::chrono::microseconds duration) override {
    if (std::this_thread::get_id() != owner_) waitAtTheGate();
    time_->sleepFor(duration);
  }
  std::chrono::microseconds now() override { return time_->now(); }

  // Sleeps from now on wait.
  void close() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
  }
  // Every sleep passes, those waiting too.
  void open() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      open_ = true;
    }
    changed_.notify_all();
  }
  // One sleep waiting at the closed gate (or the next to come) passes.
  void letOnePass() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++passes_;
    }
    changed_.notify_all();
  }
  // Whether a sleep came to wait at the gate within `bound`.
  bool waitForASleeper(std::chrono::seconds bound = kMostHeld) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, bound, [this] { return waiting_ > 0; });
  }
  // How many sleeps of other threads have passed the gate.
  int passed() {
    std::lock_guard<std::mutex> lock(mutex_);
    return passed_;
  }

 private:
  void waitAtTheGate() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!open_) {
      ++waiting_;
      changed_.notify_all();
      if (!changed_.wait_for(lock, kMostHeld, [this] { return open_ || passes_ > 0; })) {
        ADD_FAILURE() << "a sleep waited " << kMostHeld.count() << " s at a gate never opened";
        open_ = true;
        changed_.notify_all();
      } else if (!open_) {
        --passes_;
      }
      --waiting_;
    }
    ++passed_;
  }

  const std::unique_ptr<Clock> time_;
  const std::thread::id owner_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_;
  int passes_ = 0;
  int waiting_ = 0;
  int passed_ = 0;
};

// A gated ManualClock, and the manual clock inside it, installed as velt::clock() until
// the test ends.
struct InstalledGatedClock {
  ManualClock* time;
  GatedClock* gate;
};
inline InstalledGatedClock installGatedManualClock(bool open = true) {
  auto manual = std::make_unique<ManualClock>();
  ManualClock* time = manual.get();
  auto gated = std::make_unique<GatedClock>(std::move(manual), open);
  GatedClock* gate = gated.get();
  setClock(std::move(gated));
  return {time, gate};
}

}  // namespace velt::test
