#pragma once

#include <string_view>

#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

// The programs' sheets ("Main_Normal.bmp", "50.bmp", "ProgramIcon_32.png", ...), drawn by
// the same painters the sheet generator writes its files with. Drawing is cheaper than
// decoding a stored picture, and a sheet drawn for the screen's device pixel ratio is as
// sharp as text at any scale.

// A sheet's size in points; empty where no sheet has that name.
Size drawnSheetSize(std::string_view fileName);
// The sheet drawn at the given ratio: its size in points times the ratio in pixels
// (rounded up), carrying the ratio. Null where no sheet has that name.
Image drawSheet(std::string_view fileName, double ratio = 1);
// The piece of the sheet under `rect` (from the bottom left, within the sheet) drawn
// alone at that ratio: the pixels drawSheet(fileName, ratio).cut(rect) gives, for a
// fraction of the cost when only a few pieces of a sheet are shown (a selected tab of
// the down sheet). Null where no sheet has that name or the rectangle leaves it (at a
// fractional ratio, also where its pixels, rounded up, end past the sheet's).
Image drawSheetPiece(std::string_view fileName, const Rect& rect, double ratio = 1);

}  // namespace velt
