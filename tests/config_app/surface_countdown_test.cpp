// The surface analysis' countdown worker on its own, without a window system, so that
// the thread sanitizer build runs it: it sleeps, reads the stop flag and posts, nothing
// else.
#include "config_app/dialogs/SurfaceCountdown.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "base/clock.h"

namespace velt {
namespace {

// What the UI thread would run, in the order posted.
struct PostedSteps {
  std::mutex mutex;
  std::vector<std::function<void()>> steps;
  SurfaceCountdown::Poster poster() {
    return [this](std::function<void()> step) {
      std::lock_guard<std::mutex> hold(mutex);
      steps.push_back(std::move(step));
    };
  }
  size_t count() {
    std::lock_guard<std::mutex> hold(mutex);
    return steps.size();
  }
};

TEST(SurfaceCountdown, PostsTenStepsASecondApartAfterAFirstSecond) {
  auto manual = std::make_unique<ManualClock>();
  ManualClock& clock = *manual;
  setClock(std::move(manual));
  PostedSteps posted;
  {
    SurfaceCountdown countdown(posted.poster());
    countdown.start([] {});
    while (countdown.running() && posted.count() < SurfaceCountdown::kSteps) {
    }
    countdown.stop();
  }
  EXPECT_EQ(posted.count(), 10u);
  // One second before the first step, one after each: eleven seconds in all.
  EXPECT_GE(clock.now(), std::chrono::seconds(10));
  EXPECT_LE(clock.now(), std::chrono::seconds(11));
  setClock(nullptr);
}

TEST(SurfaceCountdown, AStopOrADestructionEndsItPromptlyWithNothingMorePosted) {
  PostedSteps posted;  // the real clock: the first step would come after a second
  const auto begin = std::chrono::steady_clock::now();
  {
    SurfaceCountdown countdown(posted.poster());
    countdown.start([] {});
    EXPECT_TRUE(countdown.running());
  }
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(500));
  EXPECT_EQ(posted.count(), 0u);
  EXPECT_TRUE(SurfaceCountdown::stopFlag());

  SurfaceCountdown again(posted.poster());
  again.start([] {});
  EXPECT_FALSE(SurfaceCountdown::stopFlag()) << "a new run clears the flag";
  again.stop();
  EXPECT_FALSE(again.running());
}

}  // namespace
}  // namespace velt
