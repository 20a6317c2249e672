#include "toolkit/KivTimer.h"

#include <QTimer>

namespace velt {

struct KivTimer::Impl {
  QTimer timer;
  std::function<void()> tick;
};

KivTimer::KivTimer() : impl_(std::make_unique<Impl>()) {
  // A copy runs: the tick may restart this timer with another callback, which must not
  // destroy the one still running.
  QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [impl = impl_.get()] {
    if (auto tick = impl->tick) tick();
  });
}

KivTimer::~KivTimer() = default;

void KivTimer::start(std::chrono::milliseconds interval, std::function<void()> tick) {
  impl_->tick = std::move(tick);
  impl_->timer.start(interval);
}

void KivTimer::stop() {
  impl_->timer.stop();
}

bool KivTimer::isActive() const {
  return impl_->timer.isActive();
}

std::chrono::milliseconds KivTimer::interval() const {
  return impl_->timer.intervalAsDuration();
}

void KivTimer::fire() {
  // A copy: the tick may restart this timer with another callback.
  if (auto tick = impl_->tick) tick();
}

}  // namespace velt
