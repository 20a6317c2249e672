#include "toolkit/image_access.h"

#include "toolkit/ImageManager.h"
#include "toolkit/image_tables.h"

namespace velt {

// The configuration application's one store of pictures.
static ImageManager& configImages() {
  static ImageManager store(configImageTable());
  return store;
}

Image GetImage(int32_t state, int32_t id, const Rect& rect) {
  return configImages().getImage(state, id, rect);
}

Image GetNamedImage(const std::string& fileName) {
  return configImages().namedImage(fileName);
}

Image imageClone(const Image& image, const Rect& rect) {
  if (rect.width <= 0 || rect.height <= 0) return {};
  if (image.isNull()) return Image::blank(rect.size());
  return image.cut(rect);
}

}  // namespace velt
