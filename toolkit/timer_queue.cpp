#include "toolkit/timer_queue.h"

#include <algorithm>
#include <atomic>

#include "base/clock.h"

namespace velt {
namespace {

// Ids are unique across queues, so a timer cancelling on a queue installed after its
// own never removes another timer.
TimerQueue::Id nextId() {
  static std::atomic<TimerQueue::Id> last{0};
  return ++last;
}

TimerQueue*& installed() {
  static TimerQueue* queue = nullptr;
  return queue;
}

}  // namespace

TimerQueue::Id TimerQueue::schedule(std::chrono::milliseconds interval,
                                    std::function<void()> tick) {
  const Id id = nextId();
  const std::chrono::microseconds step =
      std::max<std::chrono::microseconds>(interval, std::chrono::milliseconds(1));
  const std::chrono::microseconds due = clock().now() + step;
  timers_.emplace(Key{due, id}, Timer{step, std::move(tick)});
  dueOf_.emplace(id, due);
  return id;
}

void TimerQueue::cancel(Id id) {
  auto found = dueOf_.find(id);
  if (found == dueOf_.end()) return;
  timers_.erase(Key{found->second, id});
  dueOf_.erase(found);
}

bool TimerQueue::contains(Id id) const {
  return dueOf_.count(id) != 0;
}

std::optional<std::chrono::microseconds> TimerQueue::nextDue() const {
  if (timers_.empty()) return std::nullopt;
  return timers_.begin()->first.first;
}

bool TimerQueue::tickNext() {
  if (timers_.empty()) return false;
  auto node = timers_.extract(timers_.begin());
  const Id id = node.key().second;
  const std::chrono::microseconds due = node.key().first + node.mapped().interval;
  // A copy runs: the tick may cancel or restart its own timer, which drops this entry.
  std::function<void()> tick = node.mapped().tick;
  node.key() = Key{due, id};
  timers_.insert(std::move(node));
  dueOf_[id] = due;
  if (tick) tick();
  return true;
}

TimerQueue* installedTimerQueue() {
  return installed();
}

void installTimerQueue(TimerQueue* queue) {
  installed() = queue;
}

}  // namespace velt
