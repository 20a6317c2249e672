#pragma once

#include <cstdint>

#include "toolkit/Image.h"
#include "toolkit/KivImageView.h"
#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// Where a program's controls take their pictures: by state (0 normal, 1 pointer over,
// 2 pressed, 3 disabled), image ID and rectangle on the sheet. `GetImage` in VELTPLUS,
// `updaterImage` in the updater, `GalleryImage` in the gallery.
using PictureSource = Image (*)(int32_t state, int32_t id, const Rect& rect);

// What a control shows disabled: its family's disable sheet, nothing (a family without
// one), or its normal picture.
enum class DisabledPicture { kOwn, kNone, kNormal };

struct StatePictures {
  Image normal;
  Image over;
  Image down;
  Image disable;
};

// The layout's four state pictures, cut at its picture rectangle.
StatePictures statePictures(PictureSource pictures, const ControlLayout& layout,
                            DisabledPicture disabled = DisabledPicture::kOwn);

// Gives the control its ID and frame with `parent` receiving its commands, names it for
// screen readers by the layout's wording, and adds it to `superview` (the parent, unless
// the parent is not shown itself).
void placeControl(KivImageView& parent, KivImageView& control, const ControlLayout& layout);
void placeControl(KivImageView& parent, KivImageView& control, const ControlLayout& layout,
                  KivImageView& superview);

// For buttons and check boxes: `setImages(normal, over, down, disable)`.
template <typename Control>
void setStatePictures(Control& control, PictureSource pictures, const ControlLayout& layout,
                      DisabledPicture disabled = DisabledPicture::kOwn) {
  const StatePictures p = statePictures(pictures, layout, disabled);
  control.setImages(p.normal, p.over, p.down, p.disable);
}

template <typename Control>
void placeWithPictures(KivImageView& parent, Control& control, const ControlLayout& layout,
                       PictureSource pictures, DisabledPicture disabled = DisabledPicture::kOwn) {
  placeControl(parent, control, layout);
  setStatePictures(control, pictures, layout, disabled);
}

}  // namespace velt
