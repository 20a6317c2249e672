#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
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

// Answers (state, ID, rectangle) with a whole sheet or the piece under the rectangle, and
// decodes each sheet of its table only when it is first needed, keeping it for the life
// of the program: a whole sheet when it is asked for, a piece's sheet when the piece is
// first drawn (a piece is a deferred picture). A page thus decodes only what it shows:
// its normal sheet, and the over, down and disable sheets once a control is hovered,
// pressed or disabled. The configuration application and the updater each use it with
// their own table.
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
  // Whether the named sheet has been decoded, or found missing.
  bool sheetLoaded(std::string_view name) const;
  size_t sheetsLoaded() const;
  // Every sheet of the table loaded.
  bool imagesLoaded() const { return sheetsLoaded() == sheetCount(); }

 private:
  // Shared with the pieces cut from it, which may outlive the store.
  struct Sheet {
    explicit Sheet(std::string path) : path(std::move(path)) {}
    const Image& get();
    const std::string path;
    Image image;  // null for a missing file
    bool loaded = false;
  };
  const ImageFamily* familyOf(int32_t id) const;
  std::shared_ptr<Sheet> sheet(std::string_view name) const;

  std::span<const ImageFamily> table_;
  std::map<std::string, std::shared_ptr<Sheet>, std::less<>> sheets_;
};

}  // namespace velt
