#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/toolkit/render_support.h"
#include "toolkit/KivMouseStatic.h"
#include "toolkit/led_animation.h"
#include "toolkit/mouse_zones.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {
namespace {

using std::chrono::milliseconds;
using test::pixelAt;
using test::render;

constexpr int32_t kBits[] = {1, 2, 4, 8};
const Color kRed = Color::fromRgb8(255, 0, 0);
const Color kBlue = Color::fromRgb8(0, 0, 255);

// The counters are shared by the whole process; each test starts them from a known
// point and puts back what it found.
class MouseStaticTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = ledAnimationState();
    ledAnimationState() = LedAnimationState{};
    preview_.initView(nullptr, 98, {0, 0, 205, 212});
  }
  void TearDown() override { ledAnimationState() = saved_; }

  void fireMode(int times) {
    for (int i = 0; i < times; ++i) preview_.timerMode()->fire();
  }
  double alpha(int32_t bit) const { return preview_.currentColor(bit).alpha; }

  KivMouseStatic preview_;
  LedAnimationState saved_;
};

TEST_F(MouseStaticTest, StartsLitSolidAndStill) {
  for (int32_t bit : kBits) {
    EXPECT_EQ(preview_.currentColor(bit), (Color{0.63, 1.0, 0.13, 1.0})) << bit;
    EXPECT_EQ(preview_.savedColor(bit), (Color{0.63, 1.0, 0.13, 1.0})) << bit;
    EXPECT_TRUE(preview_.isLit(bit)) << bit;
  }
  EXPECT_EQ(preview_.getMode(), 1);
  EXPECT_FALSE(preview_.IsColorShift());
  EXPECT_EQ(preview_.timerMode(), nullptr);
  EXPECT_EQ(preview_.timerColorShift(), nullptr);
}

TEST_F(MouseStaticTest, ZonesFollowTheFrameHeight) {
  EXPECT_EQ(preview_.zoneRect(1), (Rect{45, 188, 30, 20}));
  EXPECT_EQ(preview_.zoneRect(4), (Rect{69, 167, 30, 20}));
  EXPECT_EQ(preview_.zoneRect(2), (Rect{0, 160, 14, 20}));
  EXPECT_EQ(preview_.zoneRect(8), (Rect{108, 73, 45, 40}));
  KivMouseStatic tall;
  tall.initView(nullptr, 98, {0, 0, 205, 300.7});
  EXPECT_EQ(tall.zoneRect(1), (Rect{45, 276, 30, 20}));
}

TEST_F(MouseStaticTest, ModesStartTheirTimers) {
  struct Case {
    int32_t mode;
    std::optional<milliseconds> interval;
  };
  const Case cases[] = {{1, milliseconds(100'000)}, {2, milliseconds(1000)}, {3, milliseconds(100)},
                        {4, milliseconds(100)},     {0, std::nullopt},       {7, std::nullopt}};
  for (const Case& c : cases) {
    preview_.setMode(c.mode);
    EXPECT_EQ(preview_.getMode(), c.mode);
    if (!c.interval) {
      EXPECT_EQ(preview_.timerMode(), nullptr) << c.mode;
      continue;
    }
    ASSERT_NE(preview_.timerMode(), nullptr) << c.mode;
    EXPECT_TRUE(preview_.timerMode()->isActive());
    EXPECT_EQ(preview_.timerMode()->interval(), *c.interval) << c.mode;
  }
}

TEST_F(MouseStaticTest, BlinkingIsOnForOneTickAndOffForTheNext) {
  ledAnimationState().time = 3;
  preview_.setMode(2);
  const double expected[] = {1, 0, 1, 0};
  for (double a : expected) {
    fireMode(1);
    for (int32_t bit : kBits) EXPECT_EQ(alpha(bit), a) << bit;
  }
}

TEST_F(MouseStaticTest, PulsatingDarkensTwoTicksInFifteen) {
  ledAnimationState().time = 0;
  preview_.setMode(3);
  std::vector<int> dark;
  for (int tick = 1; tick <= 15; ++tick) {
    fireMode(1);
    if (alpha(8) == 0) dark.push_back(tick);
  }
  EXPECT_EQ(dark, (std::vector<int>{3, 15}));
}

TEST_F(MouseStaticTest, BreathingRampsFromWhereTheCounterStands) {
  preview_.setMode(4);
  const int bytes[] = {210, 220, 230, 240, 250, 255, 245, 235};
  for (int b : bytes) {
    fireMode(1);
    EXPECT_FLOAT_EQ(static_cast<float>(alpha(1)), static_cast<float>(b) / 255.0f);
  }
}

TEST_F(MouseStaticTest, SolidAfterBlinkingIsOpaqueAtOnce) {
  ledAnimationState().time = 2;
  preview_.setMode(2);
  fireMode(1);
  ASSERT_EQ(alpha(1), 0);
  preview_.setMode(1);
  for (int32_t bit : kBits) EXPECT_EQ(alpha(bit), 1) << bit;
  fireMode(3);  // its ticks change nothing
  EXPECT_EQ(alpha(1), 1);
}

TEST_F(MouseStaticTest, ModeZeroStopsWithTheLastAlpha) {
  ledAnimationState().time = 2;
  preview_.setMode(2);
  fireMode(1);
  preview_.setMode(0);
  EXPECT_EQ(preview_.timerMode(), nullptr);
  EXPECT_EQ(alpha(1), 0);
}

TEST_F(MouseStaticTest, HiddenPreviewDoesNotAnimate) {
  preview_.setMode(4);
  preview_.setHidden(true);
  fireMode(5);
  EXPECT_EQ(alpha(1), 1);
  EXPECT_EQ(ledAnimationState().time, 200);
  preview_.setHidden(false);
  fireMode(1);
  EXPECT_EQ(ledAnimationState().time, 210);
}

TEST_F(MouseStaticTest, ColourShiftOnThenOffRestoresTheZoneColours) {
  preview_.setScrollWheelColor(kRed);
  preview_.setDpiIndicotorColor(kBlue);
  preview_.setDpiButtonsColor(Color::fromRgb8(0, 255, 0));
  preview_.setLogoTypeColor(Color::fromRgb8(9, 9, 9));
  preview_.setColorShift(true);
  ASSERT_NE(preview_.timerColorShift(), nullptr);
  EXPECT_EQ(preview_.timerColorShift()->interval(), milliseconds(100));
  for (int i = 0; i < 40; ++i) preview_.timerColorShift()->fire();
  EXPECT_NE(preview_.currentColor(1), kRed) << "the colour cycles";
  EXPECT_EQ(preview_.currentColor(1), preview_.currentColor(8)) << "all zones alike";
  EXPECT_EQ(preview_.getScrollWheelColor(), kRed) << "the saved colour is reported";
  EXPECT_EQ(preview_.getLogoTypeColor(), Color::fromRgb8(9, 9, 9));
  preview_.setColorShift(false);
  EXPECT_EQ(preview_.timerColorShift(), nullptr);
  EXPECT_EQ(preview_.currentColor(1), kRed);
  EXPECT_EQ(preview_.currentColor(2), kBlue);
  EXPECT_EQ(preview_.currentColor(4), Color::fromRgb8(0, 255, 0));
  EXPECT_EQ(preview_.currentColor(8), Color::fromRgb8(9, 9, 9));
}

// The lighting page's colour shift button pressed while colour shift already runs.
TEST_F(MouseStaticTest, ColourShiftOnTwiceKeepsTheZoneColours) {
  preview_.setScrollWheelColor(kRed);
  preview_.setLogoTypeColor(kBlue);
  preview_.setColorShift(true);
  for (int i = 0; i < 5; ++i) preview_.timerColorShift()->fire();
  ASSERT_NE(preview_.currentColor(1), kRed);
  preview_.setColorShift(true);
  ASSERT_NE(preview_.timerColorShift(), nullptr) << "still shifting";
  for (int i = 0; i < 5; ++i) preview_.timerColorShift()->fire();
  EXPECT_EQ(preview_.getScrollWheelColor(), kRed) << "not the cycling colour";
  EXPECT_EQ(preview_.getLogoTypeColor(), kBlue);
  preview_.setColorShift(false);
  EXPECT_EQ(preview_.currentColor(1), kRed);
  EXPECT_EQ(preview_.currentColor(8), kBlue);
}

TEST_F(MouseStaticTest, ColourShiftFirstStepAndItsAlpha) {
  preview_.setAllAlpha(51);
  preview_.setColorShift(true);
  preview_.timerColorShift()->fire();
  const Color c = preview_.currentColor(4);
  EXPECT_DOUBLE_EQ(c.red, 240 / 255.0);
  EXPECT_DOUBLE_EQ(c.green, 135 / 255.0);
  EXPECT_DOUBLE_EQ(c.blue, 5 / 255.0);
  EXPECT_FLOAT_EQ(static_cast<float>(c.alpha), 51 / 255.0f);
}

TEST_F(MouseStaticTest, ColourShiftContinuesWhereItStopped) {
  preview_.setColorShift(true);
  preview_.doColorShift();
  preview_.doColorShift();
  preview_.setColorShift(false);
  preview_.setColorShift(true);
  preview_.doColorShift();
  EXPECT_DOUBLE_EQ(preview_.currentColor(1).red, 210 / 255.0);  // 255 - 3 * 15
}

TEST_F(MouseStaticTest, SetAllColorIsUndoneByColourShiftOff) {
  preview_.setLogoTypeColor(kBlue);
  preview_.setAllColor(kRed);
  EXPECT_EQ(preview_.getLogoTypeColor(), kRed);
  preview_.setColorShift(false);
  EXPECT_EQ(preview_.getLogoTypeColor(), kBlue);
}

TEST_F(MouseStaticTest, LedSwitchesOneZoneByItsBit) {
  struct Case {
    int32_t bit;
    std::vector<bool> lit;  // scroll wheel, DPI indicator, DPI buttons, logo
  };
  const Case cases[] = {{1, {false, true, true, true}}, {2, {true, false, true, true}},
                        {4, {true, true, false, true}}, {8, {true, true, true, false}},
                        {3, {true, true, true, true}},  {0, {true, true, true, true}},
                        {16, {true, true, true, true}}};
  for (const Case& c : cases) {
    preview_.LEDOn();
    preview_.LED(c.bit, false);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(preview_.isLit(kBits[i]), c.lit[i]) << c.bit;
  }
  preview_.LEDOff();
  preview_.LED(8, true);
  EXPECT_TRUE(preview_.isLit(8));
  EXPECT_FALSE(preview_.isLit(1));
}

// A picture that is opaque grey except for transparent windows at the zones.
Image mousePicture() {
  QImage image(kMousePictureWidth, kMousePictureHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(40, 40, 40));
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  for (const MouseZoneRect& z : kMouseZones)
    painter.fillRect(z.x, z.belowTop - z.height, z.width, z.height, Qt::transparent);
  painter.end();
  return qt::fromQImage(image);
}

QPoint centreOf(const Rect& r) {
  return QPoint(static_cast<int>(r.x + r.width / 2), static_cast<int>(r.y + r.height / 2));
}

TEST_F(MouseStaticTest, ZonesShowThroughThePictureWindows) {
  preview_.setBkImage(mousePicture());
  preview_.setScrollWheelColor(kRed);
  preview_.setLogoTypeColor(kBlue);
  QImage shot = render(preview_);
  const QPoint wheel = centreOf(preview_.zoneRect(1));
  const QPoint logo = centreOf(preview_.zoneRect(8));
  EXPECT_EQ(pixelAt(shot, wheel.x(), wheel.y()), qRgb(255, 0, 0));
  EXPECT_EQ(pixelAt(shot, logo.x(), logo.y()), qRgb(0, 0, 255));
  EXPECT_EQ(pixelAt(shot, 180, 10), qRgb(40, 40, 40)) << "the picture over the rest";
}

TEST_F(MouseStaticTest, DarkZonesShowThePanelGreyThePictureIsDrawnOn) {
  preview_.LEDOff();
  QImage shot = render(preview_);
  const QRgb panel =
      qRgb(kMousePictureBackground[0], kMousePictureBackground[1], kMousePictureBackground[2]);
  for (int32_t bit : kBits) {
    const QPoint c = centreOf(preview_.zoneRect(bit));
    EXPECT_EQ(pixelAt(shot, c.x(), c.y()), panel) << bit;
  }
  preview_.LED(2, true);
  shot = render(preview_);
  const QPoint dpi = centreOf(preview_.zoneRect(2));
  EXPECT_EQ(pixelAt(shot, dpi.x(), dpi.y()), qRgb(161, 255, 33));
}

TEST_F(MouseStaticTest, ZoneAlphaReplacesTheBlack) {
  preview_.setAllColor(kRed);
  preview_.setAllAlpha(0);
  QImage shot = render(preview_);
  const QPoint c = centreOf(preview_.zoneRect(1));
  EXPECT_EQ(qAlpha(pixelAt(shot, c.x(), c.y())), 0) << "the zone's own alpha, not over black";
}

TEST_F(MouseStaticTest, AccessibleAsAPictureWithItsEffect) {
  preview_.setAccessibleName("Lighting preview");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(preview_));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Graphic);
  EXPECT_EQ(a->text(QAccessible::Name), "Lighting preview");
  EXPECT_EQ(a->text(QAccessible::Value), "solid");
  preview_.setMode(4);
  preview_.setColorShift(true);
  EXPECT_EQ(a->text(QAccessible::Value), "breathing, colour shift");
}

}  // namespace
}  // namespace velt
