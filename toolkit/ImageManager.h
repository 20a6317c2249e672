#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

// One row of an image table: a range of image IDs and where their pictures come from.
// A row with a whole sheet answers every ID of its range with that sheet, uncut, in any
// state; otherwise each state (0 normal, 1 over, 2 down, 3 disable) names the sheet its
// pieces are cut from, empty where the family has no such state.
struct ImageFamily {
  int32_t firstId;
  int32_t lastId;
  std::string_view whole;
  std::array<std::string_view, 4> states;
};

// Loads every sheet of its table once, on first use, and keeps them for the life of the
// program; answers (state, ID, rectangle) with a whole sheet or the piece under the
// rectangle. The configuration application and the updater each use it with their own
// table.
class ImageManager {
 public:
  // Sheets load from root + file name: ":/sheets/" for the compiled-in set, or a folder.
  explicit ImageManager(std::span<const ImageFamily> table, std::string root = ":/sheets/");

  void initImages();
  Image getImage(int32_t state, int32_t id, const Rect& rect);
  static Image getImageFromRect(const Image& sheet, const Rect& rect);

  bool imagesLoaded() const { return m_bInitImages; }
  // Distinct sheet names of the table (each loaded once).
  size_t sheetCount() const { return sheets_.size(); }

 private:
  const ImageFamily* familyOf(int32_t id) const;
  Image sheet(std::string_view name) const;

  std::span<const ImageFamily> table_;
  std::string root_;
  std::map<std::string, Image, std::less<>> sheets_;  // a missing file keeps a null slot
  bool m_bInitImages = false;
};

}  // namespace velt
