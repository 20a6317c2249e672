#include <gtest/gtest.h>

#include <QAccessible>

#include <optional>

#include "tests/support/window_driver.h"
#include "tests/toolkit/control_test_support.h"
#include "tests/toolkit/render_support.h"
#include "toolkit/KivScrollCtrl.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {
namespace {

using test::at;
using test::Messages;
using test::RecordingView;

// A 12 x 120 bar: buttons 12 high, thumb 20 high, track 96 high with 76 of travel.
struct ScrollBar : testing::Test {
  void SetUp() override {
    lastValue = 0;
    make(bar, 100);
    bar.setMinMaxValue(0, 10);
  }
  void make(KivScrollCtrl& b, int32_t id) {
    b.initView(&parent, id, {0, 0, 12, 120});
    b.setImage(Image::filled({12, 120}, Color::gray(0.1)), thumb, thumbOver, last, lastOver, next,
               nextOver);
  }
  const Image thumb = Image::filled({12, 20}, Color::gray(0.4));
  const Image thumbOver = Image::filled({12, 20}, kAccentColor);
  const Image last = Image::filled({12, 12}, Color::gray(0.5));
  const Image lastOver = Image::filled({12, 12}, Color::gray(0.6));
  const Image next = Image::filled({12, 12}, Color::gray(0.7));
  const Image nextOver = Image::filled({12, 12}, Color::gray(0.8));
  RecordingView parent;
  KivScrollCtrl bar;
};

TEST_F(ScrollBar, VerticalLayout) {
  EXPECT_EQ(bar.orientation(), 2);
  EXPECT_EQ(bar.lastButtonRect(), (Rect{0, 108, 12, 12}));
  EXPECT_EQ(bar.trackRect(), (Rect{0, 12, 12, 96}));
  EXPECT_EQ(bar.nextButtonRect(), (Rect{0, 0, 12, 12}));
  EXPECT_EQ(bar.thumbRect(), (Rect{0, 88, 12, 20}));
}

TEST_F(ScrollBar, HitTestOrder) {
  EXPECT_EQ(bar.hittest({6, 115}), 1);
  EXPECT_EQ(bar.hittest({6, 108}), 1);  // shared edge: the up button wins
  EXPECT_EQ(bar.hittest({6, 12}), 3);   // shared edge: the down button wins
  EXPECT_EQ(bar.hittest({6, 60}), 2);
  EXPECT_EQ(bar.hittest({13, 60}), 0);
}

TEST_F(ScrollBar, SetCurValueClampsPlacesAndAlwaysReports) {
  struct Case {
    int32_t set, value;
    double thumbY;
  };
  const Case cases[] = {{0, 0, 88}, {5, 5, 50}, {10, 10, 12}, {14, 10, 12}, {-3, 0, 88}};
  for (const Case& c : cases) {
    parent.messages.clear();
    bar.setCurValue(c.set);
    EXPECT_EQ(bar.getCurValue(), c.value);
    EXPECT_EQ(bar.thumbRect().y, c.thumbY) << c.set;
    EXPECT_EQ(parent.messages, (Messages{{100, c.value}}));
  }
  parent.messages.clear();
  bar.setCurValue(10);  // unchanged, reported again
  EXPECT_EQ(parent.messages, (Messages{{100, 10}}));
  EXPECT_EQ(lastValue, 0);  // only drags move the shared value
}

TEST_F(ScrollBar, ButtonsJumpToTheEnds) {
  bar.setCurValue(4);
  parent.messages.clear();
  bar.mouseDown(at(6, 5));
  EXPECT_EQ(bar.pressedPart(), 3);
  bar.mouseUp(at(6, 5));
  EXPECT_EQ(parent.messages, (Messages{{100, 10}}));
  bar.mouseDown(at(6, 115));
  bar.mouseUp(at(6, 115));
  EXPECT_EQ(parent.messages, (Messages{{100, 10}, {100, 0}}));
  EXPECT_EQ(bar.pressedPart(), 0);
  EXPECT_EQ(bar.mouseState(), 0);
}

TEST_F(ScrollBar, TrackPressFollowsThePointer) {
  struct Case {
    double y;
    int32_t value;
  };
  // Top of the track plus half a thumb is the minimum: y = 120 - 22 = 98.
  const Case cases[] = {
      {60, 5},  {22, 10}, {98, 0},    // exactly 0.0 from 10: an exact value is taken too
      {13, 10}, {106, 0}, {93.4, 1},  // 0.61 rounds up
      {95.0, 0}};                     // 0.39 rounds down
  for (const Case& c : cases) {
    bar.mouseDown(at(6, c.y));
    bar.mouseUp(at(6, c.y));
    EXPECT_EQ(bar.getCurValue(), c.value) << c.y;
    // The thumb sits where setCurValue would put it.
    KivScrollCtrl probe;
    make(probe, 5);
    probe.setMinMaxValue(0, 10);
    probe.setCurValue(c.value);
    EXPECT_EQ(bar.thumbRect(), probe.thumbRect()) << c.y;
  }
}

TEST_F(ScrollBar, DragOnlyInsideTheTrackAndOnlyWhilePressed) {
  bar.mouseDragged(at(6, 60));  // not pressed
  EXPECT_EQ(bar.getCurValue(), 0);
  bar.mouseDown(at(6, 98));
  bar.mouseDragged(at(6, 60));
  EXPECT_EQ(bar.getCurValue(), 5);
  bar.mouseDragged(at(6, 5));  // over the down button: ignored
  EXPECT_EQ(bar.getCurValue(), 5);
  bar.mouseExited(at(6, 5));
  EXPECT_EQ(bar.pressedPart(), 0);
  bar.mouseDragged(at(6, 22));  // exit ended the press
  EXPECT_EQ(bar.getCurValue(), 5);
  EXPECT_EQ(parent.messages, (Messages{{100, 5}}));
}

TEST_F(ScrollBar, TwoBarsShareTheLastDraggedValue) {
  KivScrollCtrl other;
  make(other, 101);
  other.setMinMaxValue(0, 10);
  bar.mouseDown(at(6, 98 - 7.6 * 3));  // 3
  EXPECT_EQ(parent.messages, (Messages{{100, 3}}));
  other.mouseDown(at(6, 98 - 7.6 * 3));  // 3 again: the shared value says it was sent
  other.mouseUp(at(6, 98 - 7.6 * 3));
  EXPECT_EQ(parent.messages, (Messages{{100, 3}}));
  EXPECT_EQ(other.getCurValue(), 3);
  other.mouseDown(at(6, 60));
  EXPECT_EQ(parent.messages, (Messages{{100, 3}, {101, 5}}));
  EXPECT_EQ(lastValue, 5);
}

// The colour a one-colour picture paints.
QRgb rgbOf(const Image& picture) {
  const Color c = picture.pixel(0, 0);
  return qRgb(toByte(c.red), toByte(c.green), toByte(c.blue));
}

TEST_F(ScrollBar, PressedPartShowsItsOverPicture) {
  struct Case {
    const char* name;
    std::optional<Point> press;
    const Image* up;
    const Image* down;
    const Image* thumbShown;
  };
  const Case cases[] = {
      {"nothing pressed", std::nullopt, &last, &next, &thumb},
      {"up button", Point{6, 114}, &lastOver, &next, &thumb},
      {"down button", Point{6, 6}, &last, &nextOver, &thumb},
      {"track", Point{6, 60}, &last, &next, &thumbOver},
      {"outside", Point{30, 60}, &last, &next, &thumb},
  };
  for (const Case& c : cases) {
    KivScrollCtrl b;
    make(b, 100);
    b.setMinMaxValue(0, 10);
    if (c.press) b.mouseDown(at(*c.press));
    const QImage shot = test::render(b);
    const Rect t = b.thumbRect();
    EXPECT_EQ(test::pixelAt(shot, 6, 114), rgbOf(*c.up)) << c.name;
    EXPECT_EQ(test::pixelAt(shot, 6, 6), rgbOf(*c.down)) << c.name;
    EXPECT_EQ(test::pixelAt(shot, 6, static_cast<int>(t.y + t.height / 2)), rgbOf(*c.thumbShown))
        << c.name;
    // The track shows between the thumb and the buttons.
    const int free = t.y > 60 ? 20 : 100;
    EXPECT_EQ(test::pixelAt(shot, 6, free), rgbOf(Image::filled({1, 1}, Color::gray(0.1))))
        << c.name;
    b.mouseUp(at(30, 60));
    EXPECT_EQ(test::pixelAt(test::render(b), 6, 114), rgbOf(last)) << "released: " << c.name;
  }
}

TEST_F(ScrollBar, AddCurValueMovesSilently) {
  bar.setCurValue(2);
  parent.messages.clear();
  Rect thumbBefore = bar.thumbRect();
  bar.addCurValue(3);
  EXPECT_EQ(bar.getCurValue(), 5);
  bar.addCurValue(100);
  EXPECT_EQ(bar.getCurValue(), 10);
  bar.addCurValue(INT32_MIN);
  EXPECT_EQ(bar.getCurValue(), 0);
  EXPECT_TRUE(parent.messages.empty());
  EXPECT_EQ(bar.thumbRect(), thumbBefore);
}

TEST_F(ScrollBar, EmptyRangeAndNoTravel) {
  bar.setMinMaxValue(3, 3);
  bar.setCurValue(7);
  EXPECT_EQ(bar.getCurValue(), 3);
  EXPECT_EQ(bar.thumbRect().y, 88);
  bar.mouseDown(at(6, 40));
  EXPECT_EQ(bar.getCurValue(), 3);
  // A track no longer than the thumb: presses leave the value.
  KivScrollCtrl small;
  small.initView(&parent, 7, {0, 0, 12, 44});
  small.setImage({}, thumb, thumbOver, last, lastOver, next, nextOver);
  small.setMinMaxValue(0, 10);
  small.setCurValue(4);
  small.mouseDown(at(6, 22));
  EXPECT_EQ(small.getCurValue(), 4);
}

TEST_F(ScrollBar, HorizontalMirrorsTheLayout) {
  KivScrollCtrl h;
  h.initView(&parent, 8, {0, 0, 120, 12});
  h.setImage({}, Image::filled({20, 12}, Color::gray(0.4)), {},
             Image::filled({12, 12}, Color::gray(0.5)), {},
             Image::filled({12, 12}, Color::gray(0.7)), {});
  h.setMinMaxValue(0, 10);
  EXPECT_EQ(h.orientation(), 1);
  EXPECT_EQ(h.lastButtonRect(), (Rect{0, 0, 12, 12}));
  EXPECT_EQ(h.trackRect(), (Rect{12, 0, 96, 12}));
  EXPECT_EQ(h.nextButtonRect(), (Rect{108, 0, 12, 12}));
  h.mouseDown(at(60, 6));
  EXPECT_EQ(h.getCurValue(), 5);
  EXPECT_EQ(h.thumbRect(), (Rect{50, 0, 20, 12}));
  h.setCurValue(10);
  EXPECT_EQ(h.thumbRect().x, 88);
}

TEST_F(ScrollBar, AccessibleAsAScrollBar) {
  bar.setCurValue(6);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(bar));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::ScrollBar);
  EXPECT_EQ(a->text(QAccessible::Value), "6");
}

}  // namespace
}  // namespace velt
