#include <gtest/gtest.h>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/KivCbnColorButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivMouseStatic.h"
#include "toolkit/KivProgressCtrl.h"
#include "toolkit/KivStatic.h"
#include "toolkit/gallery/GalleryView.h"
#include "toolkit/layout/gallery_colour_layout.h"
#include "toolkit/layout/gallery_layout.h"

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

}  // namespace
}  // namespace velt
