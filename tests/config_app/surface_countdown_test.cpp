// The surface analysis' countdown worker on its own, without a window system, so that
// the thread sanitizer build runs it: it sleeps, reads the stop flag and posts, nothing
// else. Every wait here is on a condition, bounded.
#include "config_app/dialogs/SurfaceCountdown.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "base/clock.h"
#include "tests/support/gated_clock.h"

namespace velt {
namespace {

constexpr std::chrono::seconds kLimit{30};

// What the UI thread would run, in the order posted.
struct PostedSteps {
  std::mutex mutex;
  std::condition_variable posted;
  std::vector<std::function<void()>> steps;
  SurfaceCountdown::Poster poster() {
    return [this](std::function<void()> step) {
      {
        std::lock_guard<std::mutex> hold(mutex);
        steps.push_back(std::move(step));
      }
      posted.notify_all();
    };
  }
  size_t count() {
    std::lock_guard<std::mutex> hold(mutex);
    return steps.size();
  }
  bool waitForCount(size_t n) {
    std::unique_lock<std::mutex> hold(mutex);
    return posted.wait_for(hold, kLimit, [&] { return steps.size() >= n; });
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
    EXPECT_TRUE(posted.waitForCount(SurfaceCountdown::kSteps))
        << "posted " << posted.count() << " of " << SurfaceCountdown::kSteps << " steps";
    countdown.stop();
  }
  EXPECT_EQ(posted.count(), 10u);
  // One second before the first step, one after each: eleven seconds in all.
  EXPECT_GE(clock.now(), std::chrono::seconds(10));
  EXPECT_LE(clock.now(), std::chrono::seconds(11));
  setClock(nullptr);
}

// Runs `stop` on a thread of its own while the worker sleeps, and lets that sleep end
// once the stop flag is up, as a stop from the UI thread finds the worker.
void stopWhileAsleep(test::GatedClock& clock, const std::function<void()>& stop) {
  ASSERT_TRUE(clock.waitForASleeper()) << "the worker never slept";
  std::thread stopper(stop);
  const auto until = std::chrono::steady_clock::now() + kLimit;
  while (!SurfaceCountdown::stopFlag() && std::chrono::steady_clock::now() < until)
    std::this_thread::yield();
  EXPECT_TRUE(SurfaceCountdown::stopFlag()) << "the stop flag was never set";
  clock.letOnePass();
  stopper.join();
}

// A stop (the destructor's too) is seen at the worker's next check: after the slice of
// sleep it is in, with nothing more posted.
TEST(SurfaceCountdown, AStopOrADestructionEndsItAtItsNextCheckWithNothingMorePosted) {
  // Each sleep of the worker waits until the test lets it pass.
  test::GatedClock& clock = *test::installGatedManualClock(/*open=*/false).gate;
  PostedSteps posted;
  auto countdown = std::make_unique<SurfaceCountdown>(posted.poster());
  countdown->start([] {});
  EXPECT_TRUE(countdown->running());
  stopWhileAsleep(clock, [&] { countdown.reset(); });
  EXPECT_EQ(clock.passed(), 1) << "it ended after the slice it was in";
  EXPECT_EQ(posted.count(), 0u);

  SurfaceCountdown again(posted.poster());
  again.start([] {});
  EXPECT_FALSE(SurfaceCountdown::stopFlag()) << "a new run clears the flag";
  stopWhileAsleep(clock, [&] { again.stop(); });
  EXPECT_FALSE(again.running());
  EXPECT_EQ(clock.passed(), 2);
  EXPECT_EQ(posted.count(), 0u);
  setClock(nullptr);
}

}  // namespace
}  // namespace velt
