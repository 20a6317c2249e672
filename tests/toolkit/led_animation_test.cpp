#include "toolkit/led_animation.h"

#include <gtest/gtest.h>

#include <vector>

namespace velt {
namespace {

using std::chrono::milliseconds;

TEST(LedAnimation, ProcessWideCountersStartAsTheMouseDoes) {
  const LedAnimationState fresh;
  EXPECT_EQ(fresh.time, 200);
  EXPECT_FALSE(fresh.bAdd);
  EXPECT_EQ(fresh.clRed, 255);
  EXPECT_EQ(fresh.clGreen, 125);
  EXPECT_EQ(fresh.clBlue, 0);
  EXPECT_EQ(&ledAnimationState(), &ledAnimationState());
}

TEST(LedAnimation, EachModeHasItsInterval) {
  struct Case {
    int32_t mode;
    std::optional<milliseconds> interval;
  };
  const Case cases[] = {{0, std::nullopt},      {1, milliseconds(100'000)}, {2, milliseconds(1000)},
                        {3, milliseconds(100)}, {4, milliseconds(100)},     {5, std::nullopt},
                        {-1, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ledModeInterval(c.mode), c.interval) << c.mode;
}

TEST(LedAnimation, SolidAndUnknownModesDoNotAnimate) {
  for (int32_t mode : {0, 1, 5, 16}) {
    LedAnimationState state;
    EXPECT_EQ(ledModeStep(mode, state), std::nullopt) << mode;
    EXPECT_EQ(state.time, 200) << mode;
  }
}

TEST(LedAnimation, BlinkingAlternatesFromTheCounterBeforeItsIncrease) {
  LedAnimationState state;
  state.time = 7;
  EXPECT_EQ(ledModeStep(2, state), 255);  // 7 is odd
  EXPECT_EQ(state.time, 8);
  EXPECT_EQ(ledModeStep(2, state), 0);
  EXPECT_EQ(ledModeStep(2, state), 255);
  EXPECT_EQ(state.time, 10);
}

TEST(LedAnimation, PulsatingGoesDarkOnTwoTicksOfFifteen) {
  LedAnimationState state;
  state.time = 0;
  std::vector<int> dark;
  for (int tick = 1; tick <= 30; ++tick) {
    if (ledModeStep(3, state) == 0) dark.push_back(tick);
  }
  EXPECT_EQ(dark, (std::vector<int>{3, 15, 18, 30}));
}

TEST(LedAnimation, BreathingRampsAndTurnsAtBothEnds) {
  LedAnimationState state;  // first breath starts at 200
  const uint8_t rising[] = {210, 220, 230, 240, 250, 255, 245};
  for (uint8_t alpha : rising) EXPECT_EQ(ledModeStep(4, state), alpha);
  EXPECT_TRUE(state.bAdd);
  state.time = 12;
  EXPECT_EQ(ledModeStep(4, state), 2);
  EXPECT_EQ(ledModeStep(4, state), 0);  // -8 is below 1
  EXPECT_FALSE(state.bAdd);
  EXPECT_EQ(ledModeStep(4, state), 10);
}

TEST(LedAnimation, BreathingAfterALongBlinkStartsFromTheTop) {
  LedAnimationState state;
  state.time = 5000;
  EXPECT_EQ(ledModeStep(4, state), 255);
  EXPECT_TRUE(state.bAdd);
}

TEST(LedAnimation, CounterWrapsInsteadOfOverflowing) {
  LedAnimationState state;
  state.time = INT32_MAX;
  EXPECT_EQ(ledModeStep(2, state), 255);
  EXPECT_EQ(state.time, INT32_MIN);
}

TEST(LedAnimation, ColourShiftFirstStepFromTheStart) {
  LedAnimationState state;
  const LedRgb rgb = ledColorShiftStep(state);
  EXPECT_EQ(rgb.red, 240);
  EXPECT_EQ(rgb.green, 135);
  EXPECT_EQ(rgb.blue, 5);
}

TEST(LedAnimation, ColourShiftChannelsRunTriangleWaves) {
  LedAnimationState state;
  int32_t lowestRed = 255;
  int32_t highestGreen = 0;
  int32_t highestBlue = 0;
  int redTurns = 0;
  bool wasRising = state.bRedAdd;
  for (int step = 0; step < 400; ++step) {
    const LedRgb rgb = ledColorShiftStep(state);
    for (int32_t channel : {rgb.red, rgb.green, rgb.blue}) {
      ASSERT_GE(channel, 0);
      ASSERT_LE(channel, 255);
    }
    lowestRed = std::min(lowestRed, rgb.red);
    highestGreen = std::max(highestGreen, rgb.green);
    highestBlue = std::max(highestBlue, rgb.blue);
    if (state.bRedAdd != wasRising) ++redTurns;
    wasRising = state.bRedAdd;
  }
  EXPECT_EQ(lowestRed, 0);
  EXPECT_EQ(highestGreen, 255);
  EXPECT_EQ(highestBlue, 255);
  // Red falls 255 -> 0 in 17 steps and rises again: 34 steps per period.
  EXPECT_EQ(redTurns, 400 / 17);
}

TEST(LedAnimation, ColourShiftTurnsEachChannelAtItsEnds) {
  LedAnimationState state;
  state.clRed = 0;
  state.clGreen = 255;
  state.clBlue = 255;
  LedRgb rgb = ledColorShiftStep(state);
  EXPECT_EQ(rgb.red, 15);
  EXPECT_EQ(rgb.green, 245);
  EXPECT_EQ(rgb.blue, 250);
  state.clGreen = 3;
  state.clBlue = 2;
  rgb = ledColorShiftStep(state);
  EXPECT_EQ(rgb.green, 0);  // falling green clamps at 0
  EXPECT_EQ(rgb.blue, 0);
  rgb = ledColorShiftStep(state);
  EXPECT_EQ(rgb.green, 10);
  EXPECT_EQ(rgb.blue, 5);
}

}  // namespace
}  // namespace velt
