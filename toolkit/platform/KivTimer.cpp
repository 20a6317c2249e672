#include "toolkit/KivTimer.h"

#include <QTimer>

#include "toolkit/timer_queue.h"

namespace velt {

struct KivTimer::Impl {
  QTimer timer;
  std::function<void()> tick;
  std::chrono::milliseconds interval{0};
  // Set while the timer runs on an installed queue instead of on Qt's loop.
  TimerQueue* queue = nullptr;
  TimerQueue::Id id = 0;

  void runTick() {
    // A copy runs: the tick may restart this timer with another callback, which must not
    // destroy the one still running.
    if (auto copy = tick) copy();
  }
  void leaveQueue() {
    // The queue may have been replaced since; ids never repeat across queues.
    if (queue && queue == installedTimerQueue()) queue->cancel(id);
    queue = nullptr;
  }
};

KivTimer::KivTimer() : impl_(std::make_unique<Impl>()) {
  QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer,
                   [impl = impl_.get()] { impl->runTick(); });
}

KivTimer::~KivTimer() {
  stop();
}

void KivTimer::start(std::chrono::milliseconds interval, std::function<void()> tick) {
  stop();
  impl_->tick = std::move(tick);
  impl_->interval = interval;
  if (TimerQueue* queue = installedTimerQueue()) {
    impl_->queue = queue;
    impl_->id = queue->schedule(interval, [impl = impl_.get()] { impl->runTick(); });
  } else {
    impl_->timer.start(interval);
  }
}

void KivTimer::stop() {
  impl_->leaveQueue();
  impl_->timer.stop();
}

bool KivTimer::isActive() const {
  if (impl_->queue)
    return impl_->queue == installedTimerQueue() && impl_->queue->contains(impl_->id);
  return impl_->timer.isActive();
}

std::chrono::milliseconds KivTimer::interval() const {
  return impl_->interval;
}

void KivTimer::fire() {
  impl_->runTick();
}

}  // namespace velt
