#include "toolkit/gallery/gallery_images.h"

#include "toolkit/ImageManager.h"
#include "toolkit/layout/gallery_layout.h"

namespace velt {

Image GalleryImage(int32_t state, int32_t id, const Rect& rect) {
  static constexpr ImageFamily kTable[] = {
      {kGalleryBackgroundId, kGalleryBackgroundId, "Gallery_Normal.bmp", {}},
      {1,
       kGalleryLastId,
       {},
       {"Gallery_Normal.bmp", "Gallery_Over.bmp", "Gallery_Down.bmp", "Gallery_Disable.bmp"}},
  };
  static ImageManager store(kTable);
  return store.getImage(state, id, rect);
}

}  // namespace velt
