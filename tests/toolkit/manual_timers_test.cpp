#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/manual_timers.h"
#include "toolkit/KivMouseStatic.h"
#include "toolkit/KivTimer.h"
#include "toolkit/led_animation.h"

namespace velt {
namespace {

using std::chrono::milliseconds;
using test::advanceTimers;

// Ticks as "name@ms", the clock read inside each tick.
class ManualTimersTest : public testing::Test {
 protected:
  std::function<void()> record(const std::string& name) {
    return [this, name] {
      const auto ms = std::chrono::duration_cast<milliseconds>(velt::clock().now()).count();
      ticks.push_back(name + "@" + std::to_string(ms));
    };
  }

  test::ManualTimers timers_;
  std::vector<std::string> ticks;
};

TEST_F(ManualTimersTest, TicksInDueOrderWithTheClockAtEachDueTime) {
  KivTimer a, b, c;
  a.start(milliseconds(300), record("a"));
  b.start(milliseconds(500), record("b"));
  c.start(milliseconds(1000), record("c"));
  advanceTimers(milliseconds(299));
  EXPECT_TRUE(ticks.empty()) << "nothing before its time";
  advanceTimers(milliseconds(701));
  EXPECT_EQ(ticks,
            (std::vector<std::string>{"a@300", "b@500", "a@600", "a@900", "b@1000", "c@1000"}))
      << "equal times tick in the order the timers were started";
  EXPECT_EQ(velt::clock().now(), milliseconds(1000));
  EXPECT_TRUE(a.isActive());
  EXPECT_EQ(a.interval(), milliseconds(300));
}

TEST_F(ManualTimersTest, StoppedOrDestroyedTimersNeverTickAgain) {
  KivTimer stopped;
  auto destroyed = std::make_unique<KivTimer>();
  stopped.start(milliseconds(100), record("stopped"));
  destroyed->start(milliseconds(100), record("destroyed"));
  advanceTimers(milliseconds(100));
  stopped.stop();
  destroyed.reset();
  advanceTimers(milliseconds(1000));
  EXPECT_EQ(ticks, (std::vector<std::string>{"stopped@100", "destroyed@100"}));
  EXPECT_FALSE(stopped.isActive());
}

TEST_F(ManualTimersTest, ATickMayStopRestartOrDestroyItsOwnTimer) {
  KivTimer stopsItself, restarts;
  auto destroysItself = std::make_unique<KivTimer>();
  stopsItself.start(milliseconds(100), [&] {
    record("stop")();
    stopsItself.stop();
  });
  destroysItself->start(milliseconds(100), [&, keep = std::make_shared<int>(7)] {
    record("destroy")();
    destroysItself.reset();
    // The running callback's own state outlives the timer until it returns.
    ticks.push_back("kept " + std::to_string(*keep));
  });
  restarts.start(milliseconds(100), [&] {
    record("first")();
    restarts.start(milliseconds(250), record("second"));
  });
  advanceTimers(milliseconds(1000));
  EXPECT_EQ(ticks, (std::vector<std::string>{"stop@100", "destroy@100", "kept 7", "first@100",
                                             "second@350", "second@600", "second@850"}));
  EXPECT_FALSE(stopsItself.isActive());
  EXPECT_EQ(destroysItself, nullptr);
  EXPECT_EQ(restarts.interval(), milliseconds(250));
}

TEST_F(ManualTimersTest, ATimerStartedInsideATickTicksWithinTheSameAdvance) {
  KivTimer outer, inner;
  outer.start(milliseconds(200), [&] {
    record("outer")();
    if (!inner.isActive()) inner.start(milliseconds(50), record("inner"));
  });
  advanceTimers(milliseconds(300));
  EXPECT_EQ(ticks, (std::vector<std::string>{"outer@200", "inner@250", "inner@300"}));
}

// A control's own timer: the lighting preview's colour shift steps every 100 ms.
TEST_F(ManualTimersTest, StepsAControlsAnimation) {
  const LedAnimationState saved = ledAnimationState();
  ledAnimationState() = LedAnimationState{};
  LedRgb expected{};
  for (int i = 0; i < 3; ++i) expected = ledColorShiftStep(ledAnimationState());
  ledAnimationState() = LedAnimationState{};
  KivMouseStatic preview;
  preview.initView(nullptr, 98, {0, 0, 205, 212});
  preview.setColorShift(true);
  advanceTimers(milliseconds(350));
  EXPECT_DOUBLE_EQ(preview.currentColor(1).red, expected.red / 255.0);
  EXPECT_DOUBLE_EQ(preview.currentColor(1).green, expected.green / 255.0);
  EXPECT_DOUBLE_EQ(preview.currentColor(1).blue, expected.blue / 255.0);
  ledAnimationState() = saved;
}

}  // namespace
}  // namespace velt
