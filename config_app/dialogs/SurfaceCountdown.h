#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "base/surface_analysis.h"

namespace velt {

// The worker of a running surface analysis: it waits a second, then up to ten times asks
// the UI thread to run one countdown step and waits another second. It only sleeps (on
// the clock seam), reads the stop flag and posts; every control change happens on the
// UI thread. The stop flag is the process's one; the analysis dialogs set it when they
// are cancelled.
class SurfaceCountdown {
 public:
  // How long an analysis runs: a first second, then one after each step.
  static constexpr int kSeconds = kSurfaceAnalysisSeconds;
  static constexpr int kSteps = kSeconds - 1;
  // Hands a step to the UI thread without waiting (the program's postToMainThread).
  using Poster = std::function<void(std::function<void()>)>;

  explicit SurfaceCountdown(Poster post) : post_(std::move(post)) {}
  // Stops the worker and waits for it: it ends within one slice of its sleep.
  ~SurfaceCountdown();
  SurfaceCountdown(const SurfaceCountdown&) = delete;
  SurfaceCountdown& operator=(const SurfaceCountdown&) = delete;

  // Clears the stop flag and starts the worker; `step` runs on the UI thread, posted.
  void start(std::function<void()> step);
  // Sets the stop flag and waits for the worker to end.
  void stop();
  bool running() const { return worker_.joinable(); }

  static std::atomic<bool>& stopFlag();

 private:
  static void run(Poster post, std::function<void()> step);
  // Sleeps one second in slices, so that a stop is seen quickly; false when stopped.
  static bool sleepOneSecond();

  Poster post_;
  std::thread worker_;
};

}  // namespace velt
