#include "toolkit/sheetgen/sheet_registry.h"

#include <algorithm>
#include <utility>

namespace velt::sheetgen {

std::vector<SheetFile>& sheetFiles() {
  static std::vector<SheetFile> files;
  return files;
}

std::vector<TextFile>& textFiles() {
  static std::vector<TextFile> files;
  return files;
}

RegisterTextFile::RegisterTextFile(const std::string& fileName,
                                   std::function<std::string()> content) {
  textFiles().push_back({fileName, std::move(content)});
}

RegisterSheet::RegisterSheet(const std::string& fileName, QSize size, SheetPainter painter,
                             SheetState state, int layer) {
  LayeredPainter layered{layer, std::move(painter)};
  for (SheetFile& file : sheetFiles())
    if (file.fileName == fileName) {
      auto at =
          std::upper_bound(file.painters.begin(), file.painters.end(), layer,
                           [](int value, const LayeredPainter& p) { return value < p.layer; });
      file.painters.insert(at, std::move(layered));
      return;
    }
  sheetFiles().push_back({fileName, size, state, {std::move(layered)}});
}

RegisterSheetFamily::RegisterSheetFamily(const std::string& family, QSize size,
                                         const std::vector<std::string>& suffixes,
                                         SheetPainter painter, int layer) {
  for (size_t state = 0; state < suffixes.size() && state < 4; ++state)
    if (!suffixes[state].empty())
      RegisterSheet(family + "_" + suffixes[state] + ".bmp", size, painter,
                    static_cast<SheetState>(state), layer);
}

}  // namespace velt::sheetgen
