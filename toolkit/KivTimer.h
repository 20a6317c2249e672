#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace velt {

// A repeating timer on the UI thread's loop. Stopping it, or destroying it, guarantees
// no further ticks.
class KivTimer {
 public:
  KivTimer();
  ~KivTimer();
  KivTimer(const KivTimer&) = delete;
  KivTimer& operator=(const KivTimer&) = delete;

  // (Re)starts with a new interval and callback.
  void start(std::chrono::milliseconds interval, std::function<void()> tick);
  void stop();
  bool isActive() const;
  std::chrono::milliseconds interval() const;
  // Runs one tick now, as the loop would; tests step animations with it.
  void fire();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace velt
