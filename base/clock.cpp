#include "base/clock.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

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

// The real clock, sped up when the process was started for a whole-program test.
std::shared_ptr<Clock> realClock() {
  static const int speedup = clockSpeedup(std::getenv(kClockSpeedupVariable));
  if (speedup == 1) return std::make_shared<SystemClock>();
  return std::make_shared<SpedUpClock>(std::make_unique<SystemClock>(), speedup);
}

std::mutex& clockMutex() {
  static std::mutex m;
  return m;
}

std::shared_ptr<Clock>& slot() {
  static std::shared_ptr<Clock> installed = realClock();
  return installed;
}

std::shared_ptr<Clock> installed() {
  std::lock_guard<std::mutex> lock(clockMutex());
  return slot();
}

// What clock() hands out: a fixed object that takes a reference to the clock
// installed at each call, so that no caller keeps a reference that setClock could
// destroy under it.
class InstalledClock : public Clock {
 public:
  void sleepFor(std::chrono::microseconds duration) override { installed()->sleepFor(duration); }
  std::chrono::microseconds now() override { return installed()->now(); }
};

}  // namespace

std::unique_ptr<Clock> systemClock() {
  return std::make_unique<SystemClock>();
}

Clock& clock() {
  static InstalledClock forwarder;
  return forwarder;
}

void setClock(std::unique_ptr<Clock> c) {
  std::shared_ptr<Clock> next = c ? std::shared_ptr<Clock>(std::move(c)) : realClock();
  std::shared_ptr<Clock> previous;
  std::lock_guard<std::mutex> lock(clockMutex());
  previous = std::exchange(slot(), std::move(next));
}

int clockSpeedup(const char* text) {
  constexpr int kMaxSpeedup = 1000;
  if (text == nullptr) return 1;
  const char* end = text + std::strlen(text);
  int factor = 0;
  auto [stop, error] = std::from_chars(text, end, factor);
  const bool whole = stop != text && error == std::errc() && stop == end;
  return whole && factor >= 2 && factor <= kMaxSpeedup ? factor : 1;
}

int32_t tickCount() {
  return static_cast<int32_t>(static_cast<uint32_t>(clock().now().count() * 60 / 1000000));
}

}  // namespace velt
