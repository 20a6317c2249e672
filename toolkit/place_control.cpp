#include "toolkit/place_control.h"

namespace velt {

StatePictures statePictures(PictureSource pictures, const ControlLayout& layout,
                            DisabledPicture disabled) {
  const Rect rect = layout.pictureRect();
  StatePictures p{pictures(0, layout.id, rect), pictures(1, layout.id, rect),
                  pictures(2, layout.id, rect), Image()};
  switch (disabled) {
    case DisabledPicture::kOwn:
      p.disable = pictures(3, layout.id, rect);
      break;
    case DisabledPicture::kNone:
      break;
    case DisabledPicture::kNormal:
      p.disable = p.normal;
      break;
  }
  return p;
}

void placeControl(KivImageView& parent, KivImageView& control, const ControlLayout& layout) {
  placeControl(parent, control, layout, parent);
}

void placeControl(KivImageView& parent, KivImageView& control, const ControlLayout& layout,
                  KivImageView& superview) {
  control.initView(&parent, layout.id, layout.frame);
  control.setAccessibleName(layout.wording);
  superview.addSubview(&control);
}

}  // namespace velt
