#include "toolkit/ImageManager.h"

#include "base/log.h"
#include "toolkit/sheet_resources.h"

namespace velt {

ImageManager::ImageManager(std::span<const ImageFamily> table, std::string root)
    : table_(table), root_(std::move(root)) {
  initSheetResources();
  for (const ImageFamily& family : table_) {
    if (!family.whole.empty()) sheets_.emplace(family.whole, Sheet());
    for (std::string_view name : family.states)
      if (!name.empty()) sheets_.emplace(name, Sheet());
  }
}

void ImageManager::initImages() {
  for (const auto& entry : sheets_) sheet(entry.first);
}

bool ImageManager::sheetLoaded(std::string_view name) const {
  auto it = sheets_.find(name);
  return it != sheets_.end() && it->second.loaded;
}

size_t ImageManager::sheetsLoaded() const {
  size_t loaded = 0;
  for (const auto& entry : sheets_)
    if (entry.second.loaded) ++loaded;
  return loaded;
}

const ImageFamily* ImageManager::familyOf(int32_t id) const {
  for (const ImageFamily& family : table_)
    if (id >= family.firstId && id <= family.lastId) return &family;
  return nullptr;
}

Image ImageManager::sheet(std::string_view name) {
  auto it = sheets_.find(name);
  if (it == sheets_.end()) return {};
  Sheet& slot = it->second;
  if (!slot.loaded) {
    slot.image = Image::load(root_ + it->first);
    slot.loaded = true;
  }
  return slot.image;
}

Image ImageManager::getImage(int32_t state, int32_t id, const Rect& rect) {
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
