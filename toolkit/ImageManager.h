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
// draws each sheet of its table only when it is first drawn itself, at the device pixel
// ratio of the screen it is drawn on, keeping it for the life of the program: a page thus
// draws only what it shows, its normal sheet, and the over, down and disable sheets once
// a control is hovered, pressed or disabled. The configuration application and the
// updater each use it with their own table; named sheets outside the table come from the
// same store.
class ImageManager {
 public:
  // The sheets are drawn (toolkit/drawn_sheets.h), or, given a folder, loaded from folder +
  // file name as they are there, whatever the ratio.
  explicit ImageManager(std::span<const ImageFamily> table, std::string folder = {});

  // Draws (or loads) every sheet of the table at that ratio, where not made yet.
  void initImages(double ratio = 1);
  Image getImage(int32_t state, int32_t id, const Rect& rect);
  // A sheet by file name, in the table or not ("50.bmp"); null where there is none.
  Image namedImage(std::string_view fileName);
  static Image getImageFromRect(const Image& sheet, const Rect& rect);

  // Distinct sheet names of the table (each loaded at most once).
  size_t sheetCount() const { return sheets_.size(); }
  // Whether the named sheet has been drawn or loaded at any ratio, or found missing.
  bool sheetLoaded(std::string_view name) const;
  size_t sheetsLoaded() const;
  // Every sheet of the table loaded.
  bool imagesLoaded() const { return sheetsLoaded() == sheetCount(); }

 private:
  // Shared with the pieces cut from it, which may outlive the store.
  struct Sheet {
    Sheet(std::string name, std::string folder)
        : name(std::move(name)), folder(std::move(folder)) {}
    // The sheet's pixels for a screen of that ratio; null for a missing sheet.
    const Image& at(double ratio);
    // The whole sheet, with pixels for each ratio it is drawn at; null for a missing one.
    static Image whole(const std::shared_ptr<Sheet>& sheet);
    // The pixels under `rect` for that ratio: cut from the whole sheet once it is drawn
    // there, drawn alone before (the first few pieces of a sheet, as most pages show only
    // a few pieces of their over, down and disable sheets); a transparent picture for a
    // missing sheet.
    Image piece(double ratio, const Rect& rect);
    bool made() const { return !byRatio.empty(); }
    const std::string name;
    const std::string folder;  // empty for a drawn sheet
    std::map<double, Image> byRatio;
    std::map<double, int> piecesDrawnAlone;
  };
  const ImageFamily* familyOf(int32_t id) const;
  std::shared_ptr<Sheet> sheet(std::string_view name) const;
  std::shared_ptr<Sheet> addSheet(std::string_view name);

  std::span<const ImageFamily> table_;
  std::string folder_;
  std::map<std::string, std::shared_ptr<Sheet>, std::less<>> sheets_;
};

}  // namespace velt
