#include "base/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace velt {
namespace {

using std::chrono::microseconds;

TEST(Clock, InstalledManualClockAdvancesOnlyBySleeps) {
  setClock(std::make_unique<ManualClock>());
  const microseconds start = clock().now();
  clock().sleepFor(microseconds(11'000'000));
  EXPECT_EQ(clock().now() - start, microseconds(11'000'000));
  setClock(nullptr);
}

TEST(Clock, TickCountsSixtiethsOfASecondOfTheInstalledClock) {
  setClock(std::make_unique<ManualClock>());
  EXPECT_EQ(tickCount(), 0);
  clock().sleepFor(microseconds(16'666));
  EXPECT_EQ(tickCount(), 0) << "a tick is whole";
  clock().sleepFor(microseconds(1));
  EXPECT_EQ(tickCount(), 1);
  clock().sleepFor(microseconds(1'983'333));
  EXPECT_EQ(tickCount(), 120);
  setClock(nullptr);
}

TEST(Clock, SpedUpClockSleepsAFractionAndItsTimeRunsFaster) {
  auto manual = std::make_unique<ManualClock>();
  ManualClock* base = manual.get();
  SpedUpClock fast(std::move(manual), 1000);
  fast.sleepFor(microseconds(10'000'000));
  EXPECT_EQ(base->now(), microseconds(10'000));
  EXPECT_EQ(fast.now(), microseconds(10'000'000));
  base->advance(microseconds(3));
  EXPECT_EQ(fast.now(), microseconds(10'003'000));
}

TEST(Clock, TheSpeedUpVariableTakesWholeNumbersFrom2To1000) {
  const struct {
    const char* text;
    int factor;
  } cases[] = {{nullptr, 1}, {"", 1},   {"0", 1},   {"1", 1},   {"2", 2},   {"1000", 1000},
               {"1001", 1},  {"-5", 1}, {"10x", 1}, {" 10", 1}, {"abc", 1}, {"99999999999", 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(clockSpeedup(c.text), c.factor) << (c.text ? c.text : "unset");
  }
}

TEST(Clock, RealClockSleepsAtLeastTheDuration) {
  setClock(nullptr);
  const microseconds start = clock().now();
  clock().sleepFor(microseconds(2000));
  EXPECT_GE(clock().now() - start, microseconds(2000));
}

// A worker sleeps and reads the time while the test installs other clocks: each call
// goes to a clock that stays alive for it (run under -DVELT_TSAN=ON).
TEST(Clock, UsableFromAWorkerWhileAnotherClockIsInstalled) {
  setClock(std::make_unique<ManualClock>());
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < 2000; ++i) {
      clock().sleepFor(microseconds(1));
      (void)clock().now();
    }
    done = true;
  });
  while (!done) setClock(std::make_unique<ManualClock>());
  worker.join();
  auto manual = std::make_unique<ManualClock>();
  ManualClock* time = manual.get();
  setClock(std::move(manual));
  std::thread sleeper([] { clock().sleepFor(microseconds(5)); });
  time->advance(microseconds(7));
  sleeper.join();
  EXPECT_EQ(clock().now(), microseconds(12));
  setClock(nullptr);
}

}  // namespace
}  // namespace velt
