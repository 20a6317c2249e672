#include "base/clock.h"

#include <mutex>
#include <thread>

namespace velt {
namespace {

class SystemClock : public Clock {
 public:
  void sleepFor(std::chrono::microseconds duration) override {
    std::this_thread::sleep_for(duration);
  }
  std::chrono::microseconds now() override {
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
  }
};

std::mutex& clockMutex() {
  static std::mutex m;
  return m;
}

std::unique_ptr<Clock>& installed() {
  static std::unique_ptr<Clock> slot = std::make_unique<SystemClock>();
  return slot;
}

}  // namespace

Clock& clock() {
  std::lock_guard<std::mutex> lock(clockMutex());
  return *installed();
}

void setClock(std::unique_ptr<Clock> c) {
  std::lock_guard<std::mutex> lock(clockMutex());
  installed() = c ? std::move(c) : std::make_unique<SystemClock>();
}

}  // namespace velt
