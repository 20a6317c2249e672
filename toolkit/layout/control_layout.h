#pragma once

#include <cstdint>

#include "toolkit/geometry.h"

namespace velt {

// One control of a layout table: the sheet generator draws its pictures and wording at
// these rectangles and the program places the control by them (`placeControl`,
// toolkit/place_control.h). Page coordinates, bottom left, y up.
struct ControlLayout {
  int32_t id = 0;  // control ID and image ID; 0 for a control without pictures
  Rect frame;
  const char* wording = "";       // the accessible name, and drawn on or beside the control
  Rect label = {};                // where the wording is drawn beside the control; empty: on it
  Rect piece = {};                // where its pictures are on the sheets; empty: at the frame
  const char* caption = nullptr;  // drawn instead of the wording where the picture says less

  Rect pictureRect() const { return piece.isEmpty() ? frame : piece; }
  const char* drawnWording() const { return caption ? caption : wording; }
};

}  // namespace velt
