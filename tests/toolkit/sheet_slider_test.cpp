#include <gtest/gtest.h>

#include "toolkit/Image.h"
#include "toolkit/KivScrollCtrl.h"
#include "toolkit/KivSliderCtrl.h"
#include "toolkit/drawn_sheets.h"
#include "toolkit/gallery/GalleryView.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/gallery_controls_layout.h"
#include "toolkit/layout/slider_scroll_layout.h"

namespace velt {
namespace {

Image sheet(const char* name) {
  return drawSheet(name);
}

TEST(SliderSheets, ThumbsHaveTheSharedSizes) {
  for (const char* name : {"Slider_Normal.bmp", "Slider_Disable.bmp"}) {
    Image thumb = sheet(name);
    ASSERT_FALSE(thumb.isNull()) << name;
    EXPECT_EQ(thumb.size(), kSliderThumbSize) << name;
  }
  const Image thumbs[] = {sheet("Slider1.bmp"), sheet("Slider2.bmp"), sheet("Slider3.bmp")};
  for (const Image& thumb : thumbs) EXPECT_EQ(thumb.size(), kSlider3DThumbSize);
  // Told apart by their notches.
  EXPECT_FALSE(thumbs[0].samePixels(thumbs[1]));
  EXPECT_FALSE(thumbs[1].samePixels(thumbs[2]));
  EXPECT_FALSE(sheet("Slider_Normal.bmp").samePixels(sheet("Slider_Disable.bmp")));
}

TEST(SliderSheets, ScrollPiecesComeFromTheirStateSheets) {
  EXPECT_EQ(sheet("Scroll_Normal.bmp").size(), kScrollTrackSize);
  EXPECT_EQ(GetImage(0, kScrollTrackId, {}).size(), kScrollTrackSize);
  for (Rect piece : {kScrollLastPiece, kScrollThumbPiece, kScrollNextPiece}) {
    Image normal = GetImage(0, kScrollThumbId, piece);
    Image over = GetImage(1, kScrollThumbId, piece);
    ASSERT_FALSE(normal.isNull());
    EXPECT_EQ(normal.size(), piece.size());
    EXPECT_FALSE(normal.samePixels(over));
    EXPECT_EQ(normal.pixel(0, 0).alpha, 1);  // opaque up to its edges
    EXPECT_TRUE(GetImage(2, kScrollThumbId, piece).isNull());
  }
  // The pressed thumb is outlined in the accent.
  EXPECT_EQ(GetImage(1, kScrollThumbId, kScrollThumbPiece).pixel(0, 0), kAccentColor);
}

TEST(SliderSheets, ControlsLayOutFromThePictures) {
  KivScrollCtrl bar;
  bar.initView(nullptr, 1, {0, 0, kScrollBarWidth, 100});
  bar.setImage(
      GetImage(0, kScrollTrackId, {}), GetImage(0, kScrollThumbId, kScrollThumbPiece),
      GetImage(1, kScrollThumbId, kScrollThumbPiece), GetImage(0, kScrollLastId, kScrollLastPiece),
      GetImage(1, kScrollLastId, kScrollLastPiece), GetImage(0, kScrollNextId, kScrollNextPiece),
      GetImage(1, kScrollNextId, kScrollNextPiece));
  EXPECT_EQ(bar.lastButtonRect(),
            (Rect{0, 100 - kScrollLastPiece.height, kScrollBarWidth, kScrollLastPiece.height}));
  EXPECT_EQ(bar.thumbRect().height, kScrollThumbPiece.height);

  KivSliderCtrl slider;
  slider.initView(nullptr, 2, {0, 0, 176, 20});
  slider.setImages({}, GetImage(0, kSliderThumbId, {}), GetImage(1, kSliderThumbId, {}),
                   GetImage(0, kSliderDisableId, {}));
  EXPECT_EQ(slider.thumbRect().size(), kSliderThumbSize);
}

// The gallery shows each control at its frame, reporting its role to screen readers.
TEST(SliderSheets, GalleryShowsTheControls) {
  GalleryView gallery;
  struct Expected {
    int32_t id;
    Rect frame;
    AccessibleRole role;
  };
  const Expected expected[] = {
      {kGallerySlider.id, kGallerySlider.frame, AccessibleRole::Slider},
      {kGallerySlider3D.id, kGallerySlider3D.frame, AccessibleRole::Slider},
      {kGalleryScroll.id, kGalleryScroll.frame, AccessibleRole::ScrollBar},
      {kGalleryCombo.id, kGalleryCombo.frame, AccessibleRole::ComboBox},
      {kGalleryMacroList.id, kGalleryMacroList.frame, AccessibleRole::List},
  };
  for (const Expected& e : expected) {
    const KivImageView* found = nullptr;
    for (const KivImageView* view : gallery.subviews())
      if (view->viewID() == e.id && view->accessibleRole() == e.role) found = view;
    ASSERT_NE(found, nullptr) << e.id;
    EXPECT_EQ(found->frame(), e.frame) << e.id;
  }
}

}  // namespace
}  // namespace velt
