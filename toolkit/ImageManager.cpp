#include "toolkit/ImageManager.h"

#include "base/log.h"
#include "toolkit/sheet_resources.h"

namespace velt {

ImageManager::ImageManager(std::span<const ImageFamily> table, std::string root) : table_(table) {
  initSheetResources();
  auto add = [&](std::string_view name) {
    if (!name.empty() && !sheets_.count(name))
      sheets_.emplace(name, std::make_shared<Sheet>(root + std::string(name)));
  };
  for (const ImageFamily& family : table_) {
    add(family.whole);
    for (std::string_view name : family.states) add(name);
  }
}

const Image& ImageManager::Sheet::get() {
  if (!loaded) {
    image = Image::load(path);
    loaded = true;
  }
  return image;
}

void ImageManager::initImages() {
  for (const auto& entry : sheets_) entry.second->get();
}

bool ImageManager::sheetLoaded(std::string_view name) const {
  std::shared_ptr<Sheet> found = sheet(name);
  return found && found->loaded;
}

size_t ImageManager::sheetsLoaded() const {
  size_t loaded = 0;
  for (const auto& entry : sheets_)
    if (entry.second->loaded) ++loaded;
  return loaded;
}

const ImageFamily* ImageManager::familyOf(int32_t id) const {
  for (const ImageFamily& family : table_)
    if (id >= family.firstId && id <= family.lastId) return &family;
  return nullptr;
}

std::shared_ptr<ImageManager::Sheet> ImageManager::sheet(std::string_view name) const {
  auto it = sheets_.find(name);
  return it == sheets_.end() ? nullptr : it->second;
}

Image ImageManager::getImage(int32_t state, int32_t id, const Rect& rect) {
  const ImageFamily* family = familyOf(id);
  if (family && !family->whole.empty()) return sheet(family->whole)->get();
  if (!family || state < 0 || state > 3 || family->states[state].empty()) {
    logf("getNSImage is nil %d", id);
    return {};
  }
  return Image::deferred(rect.size(), [source = sheet(family->states[state]), rect] {
    const Image& whole = source->get();
    // A missing sheet still gives the control a picture of its size, an empty one.
    return whole.isNull() ? Image::blank(rect.size()) : getImageFromRect(whole, rect);
  });
}

Image ImageManager::getImageFromRect(const Image& sheet, const Rect& rect) {
  return sheet.cut(rect);
}

}  // namespace velt
