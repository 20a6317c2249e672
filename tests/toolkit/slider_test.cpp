#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/support/log_capture.h"
#include "tests/support/window_driver.h"
#include "tests/toolkit/control_test_support.h"
#include "tests/toolkit/render_support.h"
#include "toolkit/KivSliderCtrl.h"
#include "toolkit/KivSliderCtrl3D.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/slider_math.h"

namespace velt {
namespace {

using test::at;
using test::LogCapture;
using test::Messages;
using test::RecordingView;

// A press on the slider's middle line.
MouseEvent along(double x) {
  return at(x, 5);
}

// The sensor page's DPI-like slider: 200..1400 in steps of 200, 176 wide, thumb 10.
struct DpiSlider : testing::Test {
  DpiSlider() {
    slider.initView(&parent, 7, {0, 0, 176, 20});
    slider.setImages(Image::filled({176, 20}, Color::gray(0.1)), thumb, over, disable);
    slider.setMinMaxValue(200, 1400, 200);
  }
  const Image thumb = Image::filled({10, 14}, Color::gray(0.5));
  const Image over = Image::filled({10, 14}, kAccentColor);
  const Image disable = Image::filled({10, 14}, Color::gray(0.3));
  RecordingView parent;
  KivSliderCtrl slider;
};

struct PressCase {
  double x;
  int32_t value;
};

TEST_F(DpiSlider, PressPositionsGiveSnappedValues) {
  const PressCase cases[] = {
      {5, 200},      // thumb centre at the left end
      {171, 1400},   // thumb centre at the right end
      {-40, 200},    // left of the control: clamped
      {400, 1400},   // right of the control: clamped
      {18.84, 200},  // 300, the middle of two steps: the lower step
      {18.98, 400},  // 301 rounds up to the next step
      {88, 800},     // exactly 800
      {74.4, 800},   // 702: more than half a step above 600
  };
  for (const PressCase& c : cases) {
    slider.mouseDown(along(c.x));
    slider.mouseUp(along(c.x));
    EXPECT_EQ(slider.getCurValue(), c.value) << "x = " << c.x;
  }
}

TEST_F(DpiSlider, ReportsOnlyChangedValues) {
  LogCapture log;
  slider.mouseDown(along(171));     // 1400
  slider.mouseDragged(along(170));  // still 1400
  slider.mouseUp(along(5));         // 200
  EXPECT_EQ(parent.messages, (Messages{{7, 1400}, {7, 200}}));
  // Every computation is logged, reported or not.
  EXPECT_EQ(log.lines,
            (std::vector<std::string>{"Slider Current Value:1400", "Slider Current Value:1400",
                                      "Slider Current Value:200"}));
}

TEST_F(DpiSlider, SetCurValueAndThePostFlag) {
  slider.setCurValue(800, false);  // new value, no flag: only shown
  EXPECT_EQ(slider.getCurValue(), 800);
  EXPECT_TRUE(parent.messages.empty());
  slider.setCurValue(800, true);  // already shown: nothing even with the flag
  EXPECT_TRUE(parent.messages.empty());
  slider.setCurValue(1000, true);
  EXPECT_EQ(parent.messages, (Messages{{7, 1000}}));
  slider.setCurValue(1399, true);  // as given: not snapped
  EXPECT_EQ(slider.getCurValue(), 1399);
  // The last value set counts for the mouse too: pressing onto it reports nothing new.
  parent.messages.clear();
  slider.setCurValue(1400, false);
  slider.mouseDown(along(171));
  EXPECT_TRUE(parent.messages.empty());
}

TEST_F(DpiSlider, ThumbSitsAtTheTopEdge) {
  slider.setCurValue(200, false);
  EXPECT_EQ(slider.thumbRect(), (Rect{0, 6, 10, 14}));
  slider.setCurValue(1400, false);
  EXPECT_EQ(slider.thumbRect(), (Rect{166, 6, 10, 14}));
  slider.setCurValue(800, false);
  EXPECT_EQ(slider.getCurPoint(), (Point{88, 6}));
}

TEST_F(DpiSlider, StateTable) {
  struct Case {
    const char* name;
    bool enabled;
    std::vector<int> steps;  // 0 enter, 1 exit, 2 down at 171, 3 drag to 5, 4 up at 88
    int32_t state;
    int32_t value;
    const Image* thumbShown;
  };
  const Case cases[] = {
      {"hover", true, {0}, 1, 200, &over},
      {"hover disabled", false, {0}, 1, 200, &disable},
      {"left", true, {0, 1}, 0, 200, &thumb},
      {"pressed", true, {0, 2}, 2, 1400, &over},
      {"dragged", true, {0, 2, 3}, 2, 200, &over},
      {"released", true, {0, 2, 4}, 0, 800, &thumb},
      {"drag after exit stops", true, {0, 2, 1, 3}, 0, 1400, &thumb},
      {"release after exit still sets", true, {0, 2, 1, 4}, 0, 800, &thumb},
      {"drag without press", true, {0, 3}, 1, 200, &over},
      {"disabled press", false, {0, 2, 3, 4}, 1, 200, &disable},
  };
  for (const Case& c : cases) {
    RecordingView p;
    KivSliderCtrl s;
    s.initView(&p, 1, {0, 0, 176, 20});
    s.setImages({}, thumb, over, disable);
    s.setMinMaxValue(200, 1400, 200);
    s.setCurValue(200, false);
    s.enable(c.enabled);
    for (int step : c.steps) {
      if (step == 0) s.mouseEntered(along(0));
      if (step == 1) s.mouseExited(along(0));
      if (step == 2) s.mouseDown(along(171));
      if (step == 3) s.mouseDragged(along(5));
      if (step == 4) s.mouseUp(along(88));
    }
    EXPECT_EQ(s.mouseState(), c.state) << c.name;
    EXPECT_EQ(s.getCurValue(), c.value) << c.name;
    EXPECT_TRUE(s.currentThumb().samePixels(*c.thumbShown)) << c.name;
  }
}

// The DPI-like slider at (20, 40) in a real window, driven through Qt's dispatch.
struct SliderInWindow : testing::Test {
  SliderInWindow() {
    slider.initView(&root, 4, {20, 40, 176, 20});
    slider.setImages({}, Image::filled({10, 14}, Color::gray(0.5)), {}, {});
    slider.setMinMaxValue(200, 1400, 200);
    root.addSubview(&slider);
  }
  RecordingView root;
  test::WindowDriver driver{root, {300, 100}};
  KivSliderCtrl slider;
};

// The drag leaves the control and the release lands outside it.
TEST_F(SliderInWindow, DragOutAndReleaseOutsideClampsToTheEnd) {
  driver.move({25, 50});
  driver.press({25, 50});  // x = 5 in the slider: 200
  driver.drag({108, 50});  // 88: 800
  driver.drag({280, 90});
  driver.release({280, 90});
  EXPECT_EQ(slider.getCurValue(), 1400);
  ASSERT_FALSE(root.messages.empty());
  EXPECT_EQ(root.messages.front(), (std::pair<int32_t, int32_t>{4, 200}));
  EXPECT_EQ(root.messages.back(), (std::pair<int32_t, int32_t>{4, 1400}));
  EXPECT_EQ(slider.mouseState(), 0);
}

// Leaving the control with the button held ends the drag there.
TEST_F(SliderInWindow, DragEndsWhenThePointerLeaves) {
  driver.move({25, 50});
  driver.press({25, 50});  // 200
  driver.drag({108, 50});  // 800
  driver.drag({280, 50});  // out on the right: the drag is over
  EXPECT_EQ(slider.mouseState(), 0);
  EXPECT_EQ(slider.getCurValue(), 800);
  driver.drag({60, 50});  // back inside, still held: no drag any more
  EXPECT_EQ(slider.getCurValue(), 800);
  driver.release({280, 50});  // the release still sets the value, clamped
  EXPECT_EQ(slider.getCurValue(), 1400);
  EXPECT_EQ(root.messages, (Messages{{4, 200}, {4, 800}, {4, 1400}}));
}

TEST(SliderMath, SnapTiesDownAndMayExceedMaximum) {
  EXPECT_EQ(snapToStep(300, 200), 200);
  EXPECT_EQ(snapToStep(301, 200), 400);
  EXPECT_EQ(snapToStep(130, 50), 150);
  EXPECT_EQ(snapToStep(-301, 200), -200);  // remainder keeps the value's sign
  EXPECT_EQ(snapToStep(77, 0), 77);        // no step: no snapping, no division by zero
  EXPECT_EQ(snapToStep(77, -5), 77);
  // The maximum 130 with step 50 is exceeded after the clamp.
  EXPECT_EQ(sliderValueAt(500, 0, 10, 100, 0, 130, 50), 150);
}

TEST(SliderMath, RoundingAndDegenerateTracks) {
  EXPECT_EQ(roundHalfUp(2.5f), 3);
  EXPECT_EQ(roundHalfUp(2.49f), 2);
  EXPECT_EQ(roundHalfUp(-2.7f), -2);  // negative fractions towards zero
  EXPECT_EQ(roundHalfUp(std::nanf("")), std::nullopt);
  // A track exactly as wide as the thumb has no travel: the value stays.
  EXPECT_EQ(sliderValueAt(5, 0, 10, 10, 0, 100, 1), std::nullopt);
  // A range of one value: the thumb at the left end, no division by zero.
  EXPECT_EQ(sliderThumbCentre(50, 10, 100, 50, 50), 5);
  EXPECT_EQ(truncToInt(1e20), INT32_MAX);
  EXPECT_EQ(truncToInt(std::nan("")), 0);
}

TEST_F(DpiSlider, NoTravelLeavesTheValue) {
  slider.setFrame({0, 0, 10, 20});
  slider.setCurValue(600, false);
  slider.mouseDown(along(3));
  EXPECT_EQ(slider.getCurValue(), 600);
  EXPECT_TRUE(parent.messages.empty());
}

TEST_F(DpiSlider, AccessibleAsASliderWithItsValue) {
  slider.setCurValue(1000, false);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(slider));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Slider);
  EXPECT_EQ(a->text(QAccessible::Value), "1000");
  slider.setAccessibleName("Pointer speed");
  EXPECT_EQ(a->text(QAccessible::Name), "Pointer speed");
}

// Three thumbs of different heights on a 200 x 40 track, range 0..100 step 1.
struct ThreeThumbs : testing::Test {
  ThreeThumbs() {
    slider.initView(&parent, 9, {0, 0, 200, 40});
    slider.setImages(
        Image::filled({200, 40}, Color::gray(0.1)), Image::filled({10, 12}, Color::gray(0.4)),
        Image::filled({10, 12}, Color::gray(0.5)), Image::filled({10, 16}, Color::gray(0.6)));
    slider.setMinMaxValue(0, 100, 1);
    slider.setCurValue1(10, false);
    slider.setCurValue2(50, false);
    slider.setCurValue3(90, false);
  }
  RecordingView parent;
  KivSliderCtrl3D slider;
};

TEST_F(ThreeThumbs, Geometry) {
  // x = 5 + trunc(v / 100 * 190) - 5; thumb 3 at the top, the others centred on it.
  EXPECT_EQ(slider.getSliderRect(1), (Rect{19, 26, 10, 12}));
  EXPECT_EQ(slider.getSliderRect(2), (Rect{95, 26, 10, 12}));
  EXPECT_EQ(slider.getSliderRect(3), (Rect{171, 24, 10, 16}));
  EXPECT_EQ(slider.labelRect(1), (Rect{14, 6, 30, 20}));
  EXPECT_EQ(slider.labelRect(2), (Rect{93, 6, 30, 20}));
  EXPECT_EQ(slider.labelRect(3), (Rect{170, 4, 30, 20}));  // limited to W - width
  slider.setCurValue1(0, false);
  EXPECT_EQ(slider.labelRect(1).x, 0);  // limited to 0
  EXPECT_EQ(slider.getSliderRect(0), Rect{});
}

TEST_F(ThreeThumbs, DrawsTrackThumbsInOrderAndTheirValues) {
  slider.setCurValue2(10, false);  // thumb 2 over thumb 1
  const QImage shot = test::render(slider);
  auto grey = [](double level) {
    const int v = toByte(level);
    return qRgb(v, v, v);
  };
  const Rect one = slider.getSliderRect(1), three = slider.getSliderRect(3);
  EXPECT_EQ(test::pixelAt(shot, static_cast<int>(one.x) + 5, static_cast<int>(one.y) + 6),
            grey(0.5))
      << "thumb 2 is drawn after thumb 1";
  EXPECT_EQ(test::pixelAt(shot, static_cast<int>(three.x) + 5, static_cast<int>(three.y) + 8),
            grey(0.6));
  EXPECT_EQ(test::pixelAt(shot, 60, 35), grey(0.1)) << "the track around them";
  // Each value in grey 0.8 in its label, under its thumb.
  for (int32_t thumb : {1, 3})
    EXPECT_GT(test::pixelsNear(shot, slider.labelRect(thumb), grey(0.8)), 3) << thumb;
  EXPECT_EQ(test::pixelsNear(shot, {50, 0, 40, 40}, grey(0.8)), 0) << "no label between";
}

TEST_F(ThreeThumbs, HitTestPrefersTheLowerThumb) {
  EXPECT_EQ(slider.hittest({24, 30}), 1);
  EXPECT_EQ(slider.hittest({95, 26}), 2);  // edges included
  EXPECT_EQ(slider.hittest({176, 39}), 3);
  EXPECT_EQ(slider.hittest({60, 30}), 0);
  slider.setCurValue1(50, false);  // thumb 1 now covers thumb 2
  EXPECT_EQ(slider.hittest({100, 30}), 1);
}

TEST_F(ThreeThumbs, DraggingThumbTwoReportsItsNumber) {
  slider.mouseDown(at(100, 30));  // thumb 2's centre: 50, unchanged
  slider.mouseDragged(at(119, 30));
  slider.mouseUp(at(157, 30));
  // 131072 + value: thumb 2 in the high half.
  EXPECT_EQ(parent.messages, (Messages{{9, 131072 + 60}, {9, 131072 + 80}}));
  EXPECT_EQ(slider.getCurValue2(), 80);
  EXPECT_EQ(slider.dragged(), 0);
  EXPECT_EQ(slider.mouseState(), 0);
}

TEST_F(ThreeThumbs, ThumbsStayIndependent) {
  slider.mouseDown(at(24, 30));      // thumb 1
  slider.mouseDragged(at(157, 30));  // past thumb 2 to 80
  slider.mouseUp(at(157, 30));
  EXPECT_EQ(slider.getCurValue1(), 80);
  EXPECT_EQ(slider.getCurValue2(), 50);
  EXPECT_EQ(slider.getCurValue3(), 90);
  EXPECT_EQ(parent.messages, (Messages{{9, 65536 + 80}}));
}

TEST_F(ThreeThumbs, PressOutsideEveryThumbMovesNothing) {
  slider.mouseDown(at(60, 30));
  slider.mouseDragged(at(150, 30));
  slider.mouseUp(at(150, 30));
  EXPECT_TRUE(parent.messages.empty());
  EXPECT_EQ(slider.getCurValue1(), 10);
  EXPECT_EQ(slider.getCurValue2(), 50);
}

TEST_F(ThreeThumbs, SetValuesClampAndPost) {
  slider.setCurValue3(250, true);  // clamped to 100
  slider.setCurValue3(100, true);  // the same: nothing
  slider.setCurValue1(-4, true);   // clamped to 0
  slider.setCurValue2(33, false);
  EXPECT_EQ(parent.messages, (Messages{{9, 3 * 65536 + 100}, {9, 65536 + 0}}));
  EXPECT_EQ(slider.getCurValue2(), 33);
  EXPECT_EQ(slider.getID(), 9);
  EXPECT_EQ(sliderThumbMessage(2, 1600), 131072 + 1600);
}

TEST_F(ThreeThumbs, DisabledIgnoresPresses) {
  slider.enable(false);
  slider.mouseEntered(along(0));
  EXPECT_EQ(slider.mouseState(), 1);
  slider.mouseDown(at(24, 30));
  slider.mouseUp(at(150, 30));
  EXPECT_EQ(slider.getCurValue1(), 10);
  EXPECT_TRUE(parent.messages.empty());
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(slider));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Slider);
  EXPECT_EQ(a->text(QAccessible::Value), "10, 50, 90");
}

}  // namespace
}  // namespace velt
