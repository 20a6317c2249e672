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

// Loads each sheet of its table when it is first asked for (a whole-sheet ID its sheet,
// a piece in state N only that state's sheet) and keeps it for the life of the program;
// answers (state, ID, rectangle) with a whole sheet or the piece under the rectangle. A
// page thus decodes only what it draws. The configuration application and the updater
// each use it with their own table.
class ImageManager {
 public:
  // Sheets load from root + file name: ":/sheets/" for the compiled-in set, or a folder.
  explicit ImageManager(std::span<const ImageFamily> table, std::string root = ":/sheets/");

  // Loads every sheet not loaded yet.
  void initImages();
  Image getImage(int32_t state, int32_t id, const Rect& rect);
  static Image getImageFromRect(const Image& sheet, const Rect& rect);

  // Distinct sheet names of the table (each loaded at most once).
  size_t sheetCount() const { return sheets_.size(); }
  // Whether the named sheet has been loaded, or found missing.
  bool sheetLoaded(std::string_view name) const;
  size_t sheetsLoaded() const;
  // Every sheet of the table loaded.
  bool imagesLoaded() const { return sheetsLoaded() == sheetCount(); }

 private:
  struct Sheet {
    Image image;  // null for a missing file
    bool loaded = false;
  };
  const ImageFamily* familyOf(int32_t id) const;
  Image sheet(std::string_view name);

  std::span<const ImageFamily> table_;
  std::string root_;
  std::map<std::string, Sheet, std::less<>> sheets_;
};

}  // namespace velt
