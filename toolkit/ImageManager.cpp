#include "toolkit/ImageManager.h"

#include "base/log.h"
#include "toolkit/drawn_sheets.h"

namespace velt {

ImageManager::ImageManager(std::span<const ImageFamily> table, std::string folder)
    : table_(table), folder_(std::move(folder)) {
  for (const ImageFamily& family : table_) {
    if (!family.whole.empty()) addSheet(family.whole);
    for (std::string_view name : family.states)
      if (!name.empty()) addSheet(name);
  }
}

std::shared_ptr<ImageManager::Sheet> ImageManager::addSheet(std::string_view name) {
  auto it = sheets_.find(name);
  if (it == sheets_.end())
    it = sheets_.emplace(name, std::make_shared<Sheet>(std::string(name), folder_)).first;
  return it->second;
}

const Image& ImageManager::Sheet::at(double ratio) {
  // A file has one set of pixels, whatever the ratio.
  if (!folder.empty()) ratio = 1;
  auto it = byRatio.find(ratio);
  if (it == byRatio.end())
    it =
        byRatio.emplace(ratio, folder.empty() ? drawSheet(name, ratio) : Image::load(folder + name))
            .first;
  return it->second;
}

// Past this many pieces of a sheet at one ratio, drawing the sheet once costs less.
constexpr int kPiecesDrawnAlone = 6;

Image ImageManager::Sheet::piece(double ratio, const Rect& rect) {
  if (folder.empty() && !byRatio.count(ratio) && piecesDrawnAlone[ratio] < kPiecesDrawnAlone)
    if (Image alone = drawSheetPiece(name, rect, ratio)) {
      ++piecesDrawnAlone[ratio];
      return alone;
    }
  const Image& whole = at(ratio);
  // A missing sheet still gives the control a picture of its size, an empty one.
  return whole.isNull() ? Image::blank(rect.size()) : getImageFromRect(whole, rect);
}

Image ImageManager::Sheet::whole(const std::shared_ptr<Sheet>& sheet) {
  if (!sheet->folder.empty()) return sheet->at(1);
  return Image::atEachRatio(drawnSheetSize(sheet->name),
                            [sheet](double ratio) { return sheet->at(ratio); });
}

void ImageManager::initImages(double ratio) {
  for (const auto& entry : sheets_) entry.second->at(ratio);
}

bool ImageManager::sheetLoaded(std::string_view name) const {
  std::shared_ptr<Sheet> found = sheet(name);
  return found && found->made();
}

size_t ImageManager::sheetsLoaded() const {
  size_t loaded = 0;
  for (const auto& entry : sheets_)
    if (entry.second->made()) ++loaded;
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
  if (family && !family->whole.empty()) return Sheet::whole(sheet(family->whole));
  if (!family || state < 0 || state > 3 || family->states[state].empty()) {
    logf("getNSImage is nil %d", id);
    return {};
  }
  return Image::atEachRatio(rect.size(), [source = sheet(family->states[state]), rect](
                                             double ratio) { return source->piece(ratio, rect); });
}

Image ImageManager::namedImage(std::string_view fileName) {
  return Sheet::whole(addSheet(fileName));
}

Image ImageManager::getImageFromRect(const Image& sheet, const Rect& rect) {
  return sheet.cut(rect);
}

}  // namespace velt
