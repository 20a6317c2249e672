#include "toolkit/ImageManager.h"

#include "base/log.h"
#include "toolkit/sheet_resources.h"

namespace velt {

ImageManager::ImageManager(std::span<const ImageFamily> table, std::string root)
    : table_(table), root_(std::move(root)) {
  initSheetResources();
  for (const ImageFamily& family : table_) {
    if (!family.whole.empty()) sheets_.emplace(family.whole, Image());
    for (std::string_view name : family.states)
      if (!name.empty()) sheets_.emplace(name, Image());
  }
}

void ImageManager::initImages() {
  m_bInitImages = true;
  for (auto& [name, image] : sheets_) image = Image::load(root_ + name);
}

const ImageFamily* ImageManager::familyOf(int32_t id) const {
  for (const ImageFamily& family : table_)
    if (id >= family.firstId && id <= family.lastId) return &family;
  return nullptr;
}

Image ImageManager::sheet(std::string_view name) const {
  auto it = sheets_.find(name);
  return it == sheets_.end() ? Image() : it->second;
}

Image ImageManager::getImage(int32_t state, int32_t id, const Rect& rect) {
  if (!m_bInitImages) initImages();
  const ImageFamily* family = familyOf(id);
  if (family && !family->whole.empty()) return sheet(family->whole);
  if (!family || state < 0 || state > 3 || family->states[state].empty()) {
    logf("getNSImage is nil %d", id);
    return {};
  }
  Image source = sheet(family->states[state]);
  // A missing sheet still gives the control a picture of its size, an empty one.
  if (source.isNull()) return Image::blank(rect.size());
  return getImageFromRect(source, rect);
}

Image ImageManager::getImageFromRect(const Image& sheet, const Rect& rect) {
  return sheet.cut(rect);
}

}  // namespace velt
