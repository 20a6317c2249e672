#include "config_app/dialogs/SurfaceCountdown.h"

#include <chrono>

#include "base/clock.h"

namespace velt {

namespace {
constexpr std::chrono::milliseconds kSlice{50};
constexpr int kSlicesPerSecond = 20;
}  // namespace

std::atomic<bool>& SurfaceCountdown::stopFlag() {
  static std::atomic<bool> flag{false};
  return flag;
}

SurfaceCountdown::~SurfaceCountdown() {
  stop();
}

void SurfaceCountdown::start(std::function<void()> step) {
  stop();
  stopFlag() = false;
  worker_ = std::thread(&SurfaceCountdown::run, post_, std::move(step));
}

void SurfaceCountdown::stop() {
  if (!worker_.joinable()) return;
  stopFlag() = true;
  worker_.join();
}

bool SurfaceCountdown::sleepOneSecond() {
  for (int i = 0; i < kSlicesPerSecond; ++i) {
    if (stopFlag()) return false;
    clock().sleepFor(kSlice);
  }
  return !stopFlag();
}

void SurfaceCountdown::run(Poster post, std::function<void()> step) {
  if (!sleepOneSecond()) return;
  for (int i = 0; i < kSteps; ++i) {
    if (stopFlag()) return;
    post(step);
    if (!sleepOneSecond()) return;
  }
}

}  // namespace velt
