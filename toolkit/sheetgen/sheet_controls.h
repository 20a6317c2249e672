#pragma once

#include <QPainter>
#include <QRect>

#include <string>

#include "toolkit/geometry.h"
#include "toolkit/sheetgen/sheet_registry.h"

namespace velt::sheetgen {

// Faces of controls that several pages share, in the look of sheet_style.h.

// A drop-down button's face: a button face with an arrow at its right end.
void paintMenuFace(QPainter& painter, const QRect& face, SheetState state, bool up,
                   const std::string& wording = "");
// A small square box and its label; checked or pressed lights the box in the accent.
void paintCheckBox(QPainter& painter, const QRect& area, SheetState state,
                   const std::string& wording);
// A progress bar: the empty bar in state 0, the full one (in the accent) in state 2.
void paintBar(QPainter& painter, const QRect& area, SheetState state);
// A slider's groove under its frame (a layout rectangle on a sheet of that height): it
// runs along the thumb's middle, which sits at the frame's top edge.
void paintSliderGroove(QPainter& painter, const Rect& frame, int sheetHeight);

}  // namespace velt::sheetgen
