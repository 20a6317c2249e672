#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QWidget>

#include <functional>

#include "tests/support/screen_ratio.h"
#include "tests/support/window_driver.h"
#include "toolkit/Image.h"
#include "toolkit/KivButton.h"
#include "toolkit/drawn_sheets.h"
#include "toolkit/gallery/GalleryView.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {
namespace {

using test::nonUniformBlockShare;
using test::renderAtRatio;
using test::shareShownAsDrawn;
using test::WindowDriver;

// Pixels of a shot inside a rectangle of the gallery (bottom left) that pass a test.
int countPixels(const QImage& shot, const Rect& r, const std::function<bool(QRgb)>& test) {
  int count = 0;
  for (int y = static_cast<int>(r.y); y < r.maxY(); ++y)
    for (int x = static_cast<int>(r.x); x < r.maxX(); ++x)
      if (test(shot.pixel(x, shot.height() - 1 - y))) ++count;
  return count;
}

bool isAccent(QRgb p) {
  return p == qRgb(179, 211, 53);
}
bool isLightText(QRgb p) {
  return qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) > 150;
}

const Rect& frameOf(int32_t id) {
  for (const auto& b : kGalleryButtonLayouts)
    if (b.id == id) return b.frame;
  ADD_FAILURE() << "no button " << id;
  return kGalleryButtonLayouts[0].frame;
}

class GalleryTest : public testing::Test {
 protected:
  QImage shoot() { return widgetOf(driver.window())->grab().toImage(); }
  KivButton* button(int32_t id) {
    for (KivImageView* view : gallery.subviews())
      if (auto* b = dynamic_cast<KivButton*>(view); b && b->viewID() == id) return b;
    return nullptr;
  }

  GalleryView gallery;
  WindowDriver driver{gallery, kGallerySize};
};

TEST_F(GalleryTest, SheetsAreDrawnAtTheGallerySize) {
  for (const char* name :
       {"Gallery_Normal.bmp", "Gallery_Over.bmp", "Gallery_Down.bmp", "Gallery_Disable.bmp"}) {
    Image sheet = drawSheet(name);
    ASSERT_FALSE(sheet.isNull()) << name;
    EXPECT_EQ(sheet.size(), kGallerySize);
  }
}

// On a screen at scale 1.5 or 2 the sheet's title is its drawing for that scale, one to
// one, not the 1x pixels scaled up; at 2 that shows as 2 x 2 blocks that are not one
// colour, which 1x pixels repeated never make.
TEST_F(GalleryTest, OnAScaledScreenTheSheetIsDrawnForThatScale) {
  QWidget& widget = *widgetOf(driver.window());
  const QImage atOne = renderAtRatio(widget, 1);
  for (double ratio : {1.5, 2.0}) {
    const QImage shown = renderAtRatio(widget, ratio);
    const QRectF title = qt::toQRect(kGalleryTitle, kGallerySize.height);
    const QRect area(QPoint(std::lround(title.x() * ratio), std::lround(title.y() * ratio)),
                     qt::pixelSize(title.size(), ratio));
    const QImage drawn = *qt::qImage(drawSheet("Gallery_Normal.bmp", ratio));
    const QImage scaledUp =
        qt::qImage(drawSheet("Gallery_Normal.bmp"))
            ->scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(shareShownAsDrawn(shown, drawn, scaledUp, area, {0, 0}), 0.95) << ratio;
    if (ratio == 2.0) {
      EXPECT_GT(nonUniformBlockShare(shown, area), 0.3);
      EXPECT_EQ(nonUniformBlockShare(atOne.scaled(shown.size()), area), 0)
          << "1x pixels repeated make only blocks of one colour";
    }
  }
}

TEST_F(GalleryTest, PicturesLieUnderTheirButtons) {
  QImage shot = shoot();
  ASSERT_EQ(shot.size(), QSize(800, 600));
  // The selected tab is lit in the accent; the others are not.
  EXPECT_GT(countPixels(shot, frameOf(kGalleryFirstTab), isAccent), 60);
  EXPECT_EQ(countPixels(shot, frameOf(kGalleryFirstTab + 1), isAccent), 0);
  // Wording baked into the picture, and the caption drawn by the button itself.
  EXPECT_GT(countPixels(shot, frameOf(1), isLightText), 15);
  EXPECT_GT(countPixels(shot, frameOf(kGalleryCaptionButton), isLightText), 15);
  // The disabled button shows the dimmed face and no light text.
  EXPECT_EQ(countPixels(shot, frameOf(kGalleryDisabledButton), isLightText), 0);
  EXPECT_GT(countPixels(shot, frameOf(kGalleryDisabledButton),
                        [](QRgb p) { return p == qRgb(26, 27, 30); }),
            1000);
}

TEST_F(GalleryTest, ClickingATabMovesTheSelection) {
  Rect tab = frameOf(kGalleryFirstTab + 2);
  driver.click({tab.x + 10, tab.y + 10});
  ASSERT_NE(button(kGalleryFirstTab), nullptr);
  EXPECT_FALSE(button(kGalleryFirstTab)->selected());
  EXPECT_TRUE(button(kGalleryFirstTab + 2)->selected());
  driver.move({5, 5});  // off the tab, so that it shows its selected, not hovered, look
  QImage shot = shoot();
  EXPECT_GT(countPixels(shot, tab, isAccent), 60);
  EXPECT_EQ(countPixels(shot, frameOf(kGalleryFirstTab), isAccent), 0);
}

TEST_F(GalleryTest, ButtonsAreNamedForScreenReaders) {
  ASSERT_NE(button(1), nullptr);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(*button(1)));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Button);
  EXPECT_EQ(a->text(QAccessible::Name), "Apply");
  QAccessibleInterface* c =
      QAccessible::queryAccessibleInterface(widgetOf(*button(kGalleryCaptionButton)));
  EXPECT_EQ(c->text(QAccessible::Name), "Caption");
}

}  // namespace
}  // namespace velt
