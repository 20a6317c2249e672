#include <gtest/gtest.h>

#include <QImage>

#include "tests/support/window_driver.h"
#include "toolkit/KivCbnColorButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivMouseStatic.h"
#include "toolkit/KivProgressCtrl.h"
#include "toolkit/KivStatic.h"
#include "toolkit/gallery/GalleryView.h"
#include "toolkit/layout/gallery_colour_layout.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/mouse_zones.h"

namespace velt {
namespace {

template <typename Control>
Control* find(const KivImageView& page, int32_t id) {
  for (KivImageView* view : page.subviews())
    if (auto* c = dynamic_cast<Control*>(view); c && c->viewID() == id) return c;
  return nullptr;
}

Point centreOf(const Rect& r) {
  return {r.x + r.width / 2, r.y + r.height / 2};
}

class GalleryColourTest : public testing::Test {
 protected:
  GalleryView gallery;
  test::WindowDriver driver{gallery, kGallerySize};
};

TEST_F(GalleryColourTest, PreviewRunsBreathingOverTheMousePicture) {
  auto* preview = find<KivMouseStatic>(gallery, 98);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->getMode(), 4);
  ASSERT_NE(preview->timerMode(), nullptr);
  EXPECT_TRUE(preview->timerMode()->isActive());
  EXPECT_FALSE(preview->bkImage().isNull());
}

TEST_F(GalleryColourTest, CheckingABoxFillsTheBarsAndTellsTheStatic) {
  auto* box = find<KivCheckBox>(gallery, kGalleryCheckLayouts[0].id);
  auto* bar = find<KivProgressCtrl>(gallery, kGalleryVerticalBar.id);
  auto* label = find<KivStatic>(gallery, kGalleryStatic.id);
  ASSERT_TRUE(box && bar && label);
  EXPECT_EQ(label->getCurText(), "0 of 3 checked");
  driver.click(centreOf(kGalleryCheckLayouts[0].frame));
  EXPECT_TRUE(box->isCheck());
  EXPECT_EQ(bar->getCurValue(), 3);
  EXPECT_EQ(label->getCurText(), "1 of 3 checked");
}

TEST_F(GalleryColourTest, PickedZoneColourReachesThePreview) {
  auto* button = find<KivCbnColorButton>(gallery, kGalleryZoneColourLayouts[3].id);
  auto* preview = find<KivMouseStatic>(gallery, 98);
  ASSERT_TRUE(button && preview);
  driver.click(centreOf(kGalleryZoneColourLayouts[3].frame));
  ASSERT_TRUE(button->panel()->isShowing());
  button->panel()->mouseDown({});
  MouseEvent up;
  up.location = {90, 10};  // square 19
  button->panel()->mouseUp(up);
  EXPECT_EQ(preview->getLogoTypeColor(), Color::fromRgb8(245, 47, 44));
}

// The real mouse picture over the running preview: each zone's colour shows exactly in
// its window, and the shell, not the colour, a few pixels beside it.
TEST_F(GalleryColourTest, ZoneColoursShowThroughTheMousePicture) {
  auto* preview = find<KivMouseStatic>(gallery, 98);
  ASSERT_NE(preview, nullptr);
  preview->setMode(1);
  const Color colours[] = {Color::fromRgb8(255, 0, 0), Color::fromRgb8(0, 0, 255),
                           Color::fromRgb8(0, 255, 0), Color::fromRgb8(255, 255, 0)};
  preview->setScrollWheelColor(colours[0]);
  preview->setDpiIndicotorColor(colours[1]);
  preview->setDpiButtonsColor(colours[2]);
  preview->setLogoTypeColor(colours[3]);
  const QImage shot = widgetOf(driver.window())->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(800, 600));
  const Rect& frame = kGalleryMousePreview;
  for (size_t i = 0; i < kMouseZones.size(); ++i) {
    const MouseZoneRect& zone = kMouseZones[i];
    // Gallery coordinates of the zone's corners, bottom left.
    const int left = static_cast<int>(frame.x) + zone.x;
    const int bottom = static_cast<int>(frame.y + frame.height) - zone.belowTop;
    const int right = left + zone.width - 1, top = bottom + zone.height - 1;
    const QRgb lit =
        qRgb(static_cast<int>(colours[i].red * 255), static_cast<int>(colours[i].green * 255),
             static_cast<int>(colours[i].blue * 255));
    auto at = [&](int x, int y) { return shot.pixel(x, shot.height() - 1 - y); };
    // The colour shows through the window's shape, all of it within the zone rectangle.
    int litInside = 0, litAround = 0;
    for (int y = bottom - 5; y <= top + 5; ++y)
      for (int x = left - 5; x <= right + 5; ++x) {
        const bool inside = x >= left && x <= right && y >= bottom && y <= top;
        if (at(x, y) == lit) ++(inside ? litInside : litAround);
      }
    EXPECT_GE(litInside, 20) << i;
    EXPECT_EQ(litAround, 0) << i << ": the shell around it";
  }
}

}  // namespace
}  // namespace velt
