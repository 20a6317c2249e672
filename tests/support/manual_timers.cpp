#include "tests/support/manual_timers.h"

#include <gtest/gtest.h>

#include <memory>

namespace velt::test {

ManualTimers::ManualTimers() {
  auto manual = std::make_unique<ManualClock>();
  clock_ = manual.get();
  setClock(std::move(manual));
  installTimerQueue(&queue_);
}

ManualTimers::~ManualTimers() {
  installTimerQueue(nullptr);
  setClock(nullptr);
}

void advanceTimers(std::chrono::microseconds duration) {
  auto* manual = dynamic_cast<ManualClock*>(&velt::clock());
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
