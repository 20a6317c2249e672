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

// A test aid for whole programs: a process started with VELT_TEST_CLOCK_SPEEDUP=N
// (N from 2 to 1000) runs on the real clock sped up N times, so that the update soak
// and the updater's end-to-end run take their protocol waits in a fraction of the
// time. Unset, or any other value: the real clock. No user-facing help names it.
inline constexpr const char* kClockSpeedupVariable = "VELT_TEST_CLOCK_SPEEDUP";
// N for the variable's text; 1 for none or anything but a whole number 2..1000.
int clockSpeedup(const char* text);

// The installed clock, usable from any thread. Each call goes to the clock installed
// at that moment, which stays alive until the call returns, so a worker thread may
// sleep while a test installs another clock.
Clock& clock();
// Installs a clock (tests); nullptr restores the real one (sped up as the process
// started).
void setClock(std::unique_ptr<Clock> clock);

// A clock on the system's own time, never sped up: for a test clock that wraps real
// waits.
std::unique_ptr<Clock> systemClock();

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

// `base` running `factor` times faster: a sleep takes 1/factor of its duration on
// `base`, and the time moves factor times as far.
class SpedUpClock : public Clock {
 public:
  SpedUpClock(std::unique_ptr<Clock> base, int factor) : base_(std::move(base)), factor_(factor) {}
  void sleepFor(std::chrono::microseconds duration) override {
    base_->sleepFor(duration / factor_);
  }
  std::chrono::microseconds now() override { return base_->now() * factor_; }

 private:
  std::unique_ptr<Clock> base_;
  const int factor_;
};

}  // namespace velt
