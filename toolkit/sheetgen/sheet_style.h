#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>

#include <string>

#include "toolkit/geometry.h"
#include "toolkit/sheetgen/sheet_registry.h"

namespace velt::sheetgen {

// The look of every sheet: a dark, quiet panel with thin outlines; the accent marks what
// is selected or pressed.
inline const QColor kBackground(16, 17, 19);
inline const QColor kPanel(24, 26, 29);
inline const QColor kFace(34, 36, 40);
inline const QColor kFaceOver(46, 49, 54);
inline const QColor kFaceDown(44, 52, 24);
inline const QColor kFaceDisable(26, 27, 30);
inline const QColor kOutline(58, 61, 67);
inline const QColor kOutlineOver(86, 90, 98);
inline const QColor kAccent(179, 211, 53);
inline const QColor kText(190, 190, 190);
inline const QColor kTextDim(170, 170, 170);
inline const QColor kTextDisable(92, 94, 98);

// A layout rectangle (bottom left, y up) on a sheet of the given height, as Qt's.
QRect sheetRect(const Rect& rect, int sheetHeight);

// DejaVu Sans at a size in pixels: a point of the toolkit is a pixel of the sheet.
QFont sheetFont(int pixelSize, bool bold = false);

// Fills the sheet with the background.
void paintBackground(QPainter& painter, QSize size);
// A titled panel: a slightly lighter area, a one-pixel outline and its title at top left.
void paintPanel(QPainter& painter, const QRect& area, const std::string& title);
// A push button's face in a state, wording centred.
void paintButtonFace(QPainter& painter, const QRect& area, SheetState state,
                     const std::string& wording);
// A small triangle in the middle of the area, pointing up or down.
void paintArrow(QPainter& painter, const QRect& area, bool up, QColor color);
// Text broken into lines within the area, from its top left.
void paintWrappedText(QPainter& painter, const QRect& area, const std::string& text, QColor color,
                      int pixelSize);
// The program's name in bold over an accent bar of its width, then what the window is
// in the quieter grey.
void paintTitle(QPainter& painter, const QRect& area, const std::string& name,
                const std::string& subtitle, int pixelSize);
void paintText(QPainter& painter, const QRect& area, const std::string& text, QColor color,
               int pixelSize, int alignment = Qt::AlignLeft | Qt::AlignVCenter);

}  // namespace velt::sheetgen
