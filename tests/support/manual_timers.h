#pragma once

#include <chrono>

#include "base/clock.h"
#include "toolkit/timer_queue.h"

namespace velt::test {

class GatedClock;

// For a test's life: a ManualClock as velt::clock(), and every KivTimer started meanwhile
// (polls, animations) on a queue that only advanceTimers ticks. Timers started before
// it stay on Qt's loop.
class ManualTimers {
 public:
  ManualTimers();
  ~ManualTimers();
  ManualTimers(const ManualTimers&) = delete;
  ManualTimers& operator=(const ManualTimers&) = delete;

  ManualClock& clock() { return *clock_; }
  TimerQueue& queue() { return queue_; }

  // From holdWorkers to releaseWorkers, a sleep on any thread but the one that made the
  // timers waits where it is (a GatedClock): a worker (the analysis countdown) does
  // nothing while the test acts. Release before anything joins the worker.
  void holdWorkers();
  void releaseWorkers();

 private:
  ManualClock* clock_;
  GatedClock* gate_;
  TimerQueue queue_;
};

// Advances the installed ManualClock by `duration` and, on the calling (UI) thread, runs
// every tick that falls due on the way, in due order, each with the clock at its due
// time; a repeating timer ticks as often as its interval fits. Needs a ManualTimers.
void advanceTimers(std::chrono::microseconds duration);

}  // namespace velt::test
