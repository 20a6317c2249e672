#pragma once

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

Clock& clock();
// Installs a clock (tests); nullptr restores the real one.
void setClock(std::unique_ptr<Clock> clock);

// A clock that never sleeps: time advances by exactly what was asked for.
class ManualClock : public Clock {
 public:
  void sleepFor(std::chrono::microseconds duration) override { now_ += duration; }
  std::chrono::microseconds now() override { return now_; }
  void advance(std::chrono::microseconds duration) { now_ += duration; }

 private:
  std::chrono::microseconds now_{0};
};

}  // namespace velt
