#include "tests/support/manual_timers.h"

#include <gtest/gtest.h>

#include "tests/support/gated_clock.h"

namespace velt::test {

namespace {
// The ManualTimers of the running test: velt::clock() hands out a forwarder, not the
// manual clock itself.
ManualTimers* gCurrent = nullptr;
}  // namespace

ManualTimers::ManualTimers() {
  gCurrent = this;
  const InstalledGatedClock installed = installGatedManualClock();
  clock_ = installed.time;
  gate_ = installed.gate;
  installTimerQueue(&queue_);
}

ManualTimers::~ManualTimers() {
  releaseWorkers();
  gCurrent = nullptr;
  installTimerQueue(nullptr);
  setClock(nullptr);
}

void ManualTimers::holdWorkers() {
  gate_->close();
}

void ManualTimers::releaseWorkers() {
  gate_->open();
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
