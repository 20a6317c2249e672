#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

namespace velt {

// Every sleep and tick count of the system goes through the process-wide clock, so
// that tests can run multi-second waits (flash reads, surface analysis, updater
// retries) instantly and see how long the code meant to wait.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void sleepFor(std::chrono::microseconds duration) = 0;
  // Monotonic time since an arbitrary start.
  virtual std::chrono::microseconds now() = 0;
};

// The installed clock, usable from any thread. Each call goes to the clock installed
// at that moment, which stays alive until the call returns, so a worker thread may
// sleep while a test installs another clock.
Clock& clock();
// Installs a clock (tests); nullptr restores the real one.
void setClock(std::unique_ptr<Clock> clock);

// The installed clock's time in ticks of 1/60 s, in 32 bits (it wraps after about a
// year of uptime; differences of nearby ticks stay right).
int32_t tickCount();

// A clock that never sleeps: time advances by exactly what was asked for. Any thread
// may sleep on it or advance it.
class ManualClock : public Clock {
 public:
  void sleepFor(std::chrono::microseconds duration) override { advance(duration); }
  std::chrono::microseconds now() override { return std::chrono::microseconds(now_.load()); }
  void advance(std::chrono::microseconds duration) { now_ += duration.count(); }

 private:
  std::atomic<int64_t> now_{0};
};

}  // namespace velt
