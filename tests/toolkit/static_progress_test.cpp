#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/toolkit/render_support.h"
#include "toolkit/KivProgressCtrl.h"
#include "toolkit/KivStatic.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {
namespace {

using test::pixelAt;
using test::render;

TEST(KivStatic, StartsOnTheFirstItemsInWhite) {
  KivStatic label;
  EXPECT_EQ(label.imageItem(), 0);
  EXPECT_EQ(label.textItem(), 0);
  EXPECT_EQ(label.textColor(), kWhiteColor);
  EXPECT_EQ(label.bkColor(), Color::clear());
  EXPECT_EQ(label.font(), systemFont(9));
  EXPECT_FALSE(label.textCenter());
  EXPECT_EQ(label.getCurText(), std::nullopt);
}

TEST(KivStatic, TextIndexPastTheEndShowsTheLast) {
  struct Case {
    int32_t index;
    int32_t stored;
    std::optional<std::string> shown;
  };
  const Case cases[] = {
      {0, 0, "one"}, {2, 2, "three"}, {7, 2, "three"}, {3, 2, "three"}, {-1, -1, std::nullopt}};
  for (const Case& c : cases) {
    KivStatic label;
    for (const char* t : {"one", "two", "three"}) label.addText(t);
    label.setTextItem(c.index);
    EXPECT_EQ(label.textItem(), c.stored) << c.index;
    EXPECT_EQ(label.getCurText(), c.shown) << c.index;
  }
}

TEST(KivStatic, SetCurTextReplacesOrAddsTheFirstText) {
  KivStatic empty;
  empty.setCurText("ready");
  EXPECT_EQ(empty.getCurText(), "ready");
  KivStatic label;
  label.addText("a");
  label.addText("b");
  label.setTextItem(1);
  label.setCurText("c");
  EXPECT_EQ(label.textItem(), 0);
  EXPECT_EQ(label.getCurText(), "c");
  label.setTextItem(1);
  EXPECT_EQ(label.getCurText(), "b");
}

TEST(KivStatic, DrawsTheSelectedPictureOverTheBackground) {
  KivStatic label;
  label.initView(nullptr, 3, {0, 0, 20, 10});
  label.setBkImage(Image::filled({20, 10}, Color::fromRgb8(20, 20, 20)));
  label.addImage(Image::filled({10, 10}, Color::fromRgb8(200, 0, 0)));
  label.addImage(Image::filled({10, 10}, Color::fromRgb8(0, 200, 0)));
  label.setImageItem(5);  // the last picture
  QImage shot = render(label);
  EXPECT_EQ(pixelAt(shot, 2, 2), qRgb(0, 200, 0));
  EXPECT_EQ(pixelAt(shot, 15, 2), qRgb(20, 20, 20));
  label.setImageItem(-1);
  EXPECT_EQ(label.imageItem(), -1);
  EXPECT_TRUE(label.currentImage().isNull());
  EXPECT_EQ(pixelAt(render(label), 2, 2), qRgb(20, 20, 20));
}

TEST(KivStatic, DrawsItsTextFromFivePointsIn) {
  KivStatic label;
  label.initView(nullptr, 3, {0, 0, 60, 14});
  label.setTextColor(kAccentColor);
  label.setFont(systemFont(11));
  label.addText("WWW");
  QImage shot = render(label);
  int inked = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (qAlpha(pixelAt(shot, x, y)) == 0) continue;
      ++inked;
      EXPECT_GE(x, 5) << "ink left of the text origin at " << x << "," << y;
    }
  }
  EXPECT_GT(inked, 10);
}

TEST(KivStatic, AccessibleAsTextWithItsCurrentText) {
  KivStatic label;
  label.initView(nullptr, 3, {0, 0, 60, 14});
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(label));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Graphic);
  label.setCurText("V1.05");
  EXPECT_EQ(a->role(), QAccessible::StaticText);
  EXPECT_EQ(a->text(QAccessible::Name), "V1.05");
  EXPECT_EQ(a->text(QAccessible::Value), "V1.05");
  label.setAccessibleName("Firmware version");
  EXPECT_EQ(a->text(QAccessible::Name), "Firmware version");
}

// The full bar is green in its top 20 rows (vertical) or its left half (horizontal) and
// blue elsewhere, so the band shows which part of it was drawn; the empty bar is grey.
constexpr QRgb kEmpty = qRgb(30, 30, 30);
constexpr QRgb kFullTop = qRgb(0, 200, 0);
constexpr QRgb kFullBottom = qRgb(0, 0, 200);

Image halvedBar(Size size, bool vertical) {
  QImage image(static_cast<int>(size.width), static_cast<int>(size.height),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(kFullBottom);
  QPainter painter(&image);
  if (vertical)
    painter.fillRect(0, 0, image.width(), 20, QColor(kFullTop));
  else
    painter.fillRect(0, 0, image.width() / 2, image.height(), QColor(kFullTop));
  painter.end();
  return qt::fromQImage(image);
}

void setUpBar(KivProgressCtrl& bar, Size size, bool vertical, int32_t min, int32_t max) {
  bar.initView(nullptr, 50, {0, 0, size.width, size.height});
  bar.setImages(Image::filled(size, qt::fromQRgb(kEmpty)), halvedBar(size, vertical));
  bar.setVertical(vertical);
  bar.setMinMaxValue(min, max);
}

// Height of the band from the bottom edge that is not the empty bar.
int filledRowsFromBottom(const QImage& shot) {
  int rows = 0;
  while (rows < shot.height() && pixelAt(shot, 3, rows) != kEmpty) ++rows;
  return rows;
}

int filledColumnsFromLeft(const QImage& shot) {
  int columns = 0;
  while (columns < shot.width() && pixelAt(shot, columns, 3) != kEmpty) ++columns;
  return columns;
}

TEST(KivProgressCtrl, StartsEmptyOverAHundred) {
  KivProgressCtrl bar;
  EXPECT_EQ(bar.getCurValue(), 0);
  EXPECT_EQ(bar.minValue(), 0);
  EXPECT_EQ(bar.maxValue(), 100);
  EXPECT_FALSE(bar.isVertical());
}

TEST(KivProgressCtrl, VerticalBarFillsABandFromTheBottomWithTheFullBarsTopRows) {
  KivProgressCtrl bar;
  setUpBar(bar, {8, 107}, true, 0, 10);
  bar.setCurValue(5);
  EXPECT_EQ(bar.getCurPoint(), (Point{8, 107 - 53}));
  QImage shot = render(bar);
  EXPECT_EQ(filledRowsFromBottom(shot), 53);
  // The band shows the full bar's top 53 rows, its top row at the band's top.
  EXPECT_EQ(pixelAt(shot, 3, 52), kFullTop);
  EXPECT_EQ(pixelAt(shot, 3, 33), kFullTop);
  EXPECT_EQ(pixelAt(shot, 3, 32), kFullBottom);
  EXPECT_EQ(pixelAt(shot, 3, 0), kFullBottom);
  EXPECT_EQ(pixelAt(shot, 3, 53), kEmpty);
}

TEST(KivProgressCtrl, VerticalFillFollowsTheValue) {
  struct Case {
    int32_t value;
    int rows;
  };
  const Case cases[] = {{0, 0}, {1, 10}, {10, 107}, {11, 107}, {-3, 0}};
  for (const Case& c : cases) {
    KivProgressCtrl bar;
    setUpBar(bar, {8, 107}, true, 0, 10);
    bar.setCurValue(c.value);
    EXPECT_EQ(bar.getCurValue(), c.value) << "stored unclamped";
    EXPECT_EQ(filledRowsFromBottom(render(bar)), c.rows) << c.value;
  }
}

TEST(KivProgressCtrl, HorizontalBarFillsFromTheLeft) {
  struct Case {
    int32_t value;
    int columns;
    double pointX;
  };
  const Case cases[] = {{0, 0, 0}, {25, 25, 25}, {50, 50, 50}, {100, 100, 100}, {150, 100, 150}};
  for (const Case& c : cases) {
    KivProgressCtrl bar;
    setUpBar(bar, {100, 10}, false, 0, 100);
    bar.setCurValue(c.value);
    EXPECT_EQ(bar.getCurPoint(), (Point{c.pointX, 10})) << c.value;
    QImage shot = render(bar);
    EXPECT_EQ(filledColumnsFromLeft(shot), c.columns) << c.value;
    if (c.columns > 0) {
      EXPECT_EQ(pixelAt(shot, 0, 3), kFullTop) << "the left part of the bar";
    }
  }
}

TEST(KivProgressCtrl, EmptyRangeDrawsNoBand) {
  KivProgressCtrl bar;
  setUpBar(bar, {100, 10}, false, 5, 5);
  bar.setCurValue(5);
  EXPECT_EQ(bar.getCurPoint(), (Point{0, 10}));
  EXPECT_EQ(filledColumnsFromLeft(render(bar)), 0);
}

TEST(KivProgressCtrl, AccessibleAsAProgressBarWithItsValue) {
  KivProgressCtrl bar;
  setUpBar(bar, {8, 107}, true, 0, 10);
  bar.setCurValue(7);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(bar));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::ProgressBar);
  EXPECT_EQ(a->text(QAccessible::Value), "7");
}

}  // namespace
}  // namespace velt
