#include "toolkit/image_access.h"

#include <map>

#include "toolkit/ImageManager.h"
#include "toolkit/image_tables.h"
#include "toolkit/sheet_resources.h"

namespace velt {

Image GetImage(int32_t state, int32_t id, const Rect& rect) {
  static ImageManager store(configImageTable());
  return store.getImage(state, id, rect);
}

Image GetNamedImage(const std::string& fileName) {
  static std::map<std::string, Image> loaded;
  auto it = loaded.find(fileName);
  if (it != loaded.end()) return it->second;
  initSheetResources();
  return loaded.emplace(fileName, Image::load(":/sheets/" + fileName)).first->second;
}

Image imageClone(const Image& image, const Rect& rect) {
  if (rect.width <= 0 || rect.height <= 0) return {};
  if (image.isNull()) return Image::blank(rect.size());
  return image.cut(rect);
}

}  // namespace velt
