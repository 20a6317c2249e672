#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace velt {

// Repeating timers ticked by hand instead of by Qt's loop. While a queue is installed
// (tests), every KivTimer started is scheduled here against velt::clock().now() and
// ticks only when the queue is run; real programs never install one. UI thread only.
class TimerQueue {
 public:
  using Id = uint64_t;

  // A timer that first ticks `interval` from now, then every `interval` after that. An
  // interval below a millisecond counts as one, so a run always ends.
  Id schedule(std::chrono::milliseconds interval, std::function<void()> tick);
  // Never ticks again; unknown or cancelled ids are ignored.
  void cancel(Id id);
  bool contains(Id id) const;

  // When the earliest timer is due; none when nothing is scheduled.
  std::optional<std::chrono::microseconds> nextDue() const;
  // Reschedules the earliest timer one interval on, then runs its tick (which may
  // cancel, restart or destroy its own timer). False when nothing is scheduled.
  bool tickNext();

 private:
  struct Timer {
    std::chrono::microseconds interval;
    std::function<void()> tick;
  };
  // Ordered by due time, then by the order of scheduling, so equal times tick in turn.
  using Key = std::pair<std::chrono::microseconds, Id>;
  std::map<Key, Timer> timers_;
  std::map<Id, std::chrono::microseconds> dueOf_;
};

// The queue KivTimers are scheduled on; nullptr (the default) means Qt's loop.
TimerQueue* installedTimerQueue();
// Installs a queue (tests), or nullptr for Qt's loop. Timers already running stay
// where they were started.
void installTimerQueue(TimerQueue* queue);

}  // namespace velt
