#include "tests/support/manual_timers.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace velt::test {

// A ManualClock whose sleeps on other threads than its owner's can be held.
class HoldableClock : public ManualClock {
 public:
  void sleepFor(std::chrono::microseconds duration) override {
    if (std::this_thread::get_id() != owner_) waitWhileHeld();
    ManualClock::sleepFor(duration);
  }
  void hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
  }
  void release() {
    {
      std::lock_guard lock(mutex_);
      held_ = false;
    }
    released_.notify_all();
  }

 private:
  void waitWhileHeld() {
    std::unique_lock lock(mutex_);
    if (released_.wait_for(lock, ManualTimers::kHoldLimit, [this] { return !held_; })) return;
    held_ = false;  // every other held sleeper goes on too
    released_.notify_all();
    ADD_FAILURE() << "a worker's sleep was held " << ManualTimers::kHoldLimit.count()
                  << " s and never released";
  }

  const std::thread::id owner_ = std::this_thread::get_id();
  std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;
};

namespace {
// The ManualTimers of the running test: velt::clock() hands out a forwarder, not the
// manual clock itself.
ManualTimers* gCurrent = nullptr;
}  // namespace

ManualTimers::ManualTimers() {
  gCurrent = this;
  auto manual = std::make_unique<HoldableClock>();
  clock_ = manual.get();
  setClock(std::move(manual));
  installTimerQueue(&queue_);
}

ManualTimers::~ManualTimers() {
  releaseWorkers();
  gCurrent = nullptr;
  installTimerQueue(nullptr);
  setClock(nullptr);
}

ManualClock& ManualTimers::clock() {
  return *clock_;
}

void ManualTimers::holdWorkers() {
  clock_->hold();
}

void ManualTimers::releaseWorkers() {
  clock_->release();
}

void advanceTimers(std::chrono::microseconds duration) {
  ManualClock* manual = gCurrent ? &gCurrent->clock() : nullptr;
  TimerQueue* queue = installedTimerQueue();
  if (!manual || !queue) {
    ADD_FAILURE() << "advanceTimers needs a ManualTimers";
    return;
  }
  const std::chrono::microseconds end = manual->now() + duration;
  // The queue is looked up afresh after every tick: a tick may stop, restart or
  // destroy any timer, its own included.
  while (std::optional<std::chrono::microseconds> due = queue->nextDue()) {
    if (*due > end) break;
    manual->advance(*due - manual->now());
    queue->tickNext();
  }
  manual->advance(end - manual->now());
}

}  // namespace velt::test
