#include "base/clock.h"

#include <gtest/gtest.h>

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

TEST(Clock, RealClockSleepsAtLeastTheDuration) {
  setClock(nullptr);
  const microseconds start = clock().now();
  clock().sleepFor(microseconds(2000));
  EXPECT_GE(clock().now() - start, microseconds(2000));
}

}  // namespace
}  // namespace velt
