// The colour palette "ColorPanel.bmp" and the LED preview's mouse "Mouse.png", painted
// from the same tables the palette hit-tests and the preview lights its zones with.
#include <QLinearGradient>
#include <QPainterPath>

#include "toolkit/color_panel_layout.h"
#include "toolkit/mouse_zones.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

// Each square covers exactly the pixels inside its hit rectangle, so the one-pixel gaps
// between squares show the panel.
void paintColorPanel(QPainter& painter, QSize size, SheetState) {
  painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
  painter.setPen(kOutline);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  for (int i = 0; i < kColorPanelSquareCount; ++i) {
    const PanelSquareEdges e = colorPanelSquare(i);
    const PanelColor c = kColorPanelColors[static_cast<size_t>(i)];
    painter.fillRect(QRect(e.left, e.top, e.right - e.left, e.bottom - e.top),
                     QColor(c.red, c.green, c.blue));
  }
}

QRect zoneInPicture(const MouseZoneRect& zone) {
  return QRect(zone.x, zone.belowTop - zone.height, zone.width, zone.height);
}

// Seen from above with its front at the top left; the left wing carries the DPI
// indicator strip.
QPainterPath mouseBody() {
  QPainterPath body;
  body.moveTo(38, 1);
  body.cubicTo(60, -2, 96, -2, 110, 8);
  body.lineTo(162, 95);
  body.cubicTo(182, 128, 200, 165, 196, 186);
  body.cubicTo(192, 206, 160, 214, 136, 204);
  body.lineTo(96, 176);
  body.lineTo(30, 100);
  body.lineTo(1, 58);
  body.lineTo(1, 28);
  body.cubicTo(8, 14, 22, 4, 38, 1);
  body.closeSubpath();
  return body;
}

void paintMouseDetails(QPainter& painter) {
  painter.save();
  painter.setClipPath(mouseBody());
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kOutline, 1));
  painter.drawLine(QPointF(62, 0), QPointF(104, 70));    // between the two buttons
  painter.drawLine(QPointF(20, 64), QPointF(104, 70));   // left button's back edge
  painter.drawLine(QPointF(104, 70), QPointF(176, 96));  // right button's back edge
  QPainterPath grip;
  grip.moveTo(24, 96);
  grip.cubicTo(50, 120, 70, 150, 92, 166);
  painter.drawPath(grip);
  painter.restore();
}

// Opaque everywhere except the LED windows, which are cut fully transparent.
void paintMouse(QPainter& painter, QSize size, SheetState) {
  painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient shade(QPointF(20, 0), QPointF(190, 210));
  shade.setColorAt(0, kFaceOver);
  shade.setColorAt(1, kPanel);
  painter.setBrush(shade);
  painter.setPen(QPen(kOutlineOver, 1));
  painter.drawPath(mouseBody());
  paintMouseDetails(painter);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kOutlineOver, 1));
  for (const MouseZoneRect& zone : kMouseZones)
    painter.drawRect(zoneInPicture(zone).adjusted(-1, -1, 0, 0));
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  for (const MouseZoneRect& zone : kMouseZones)
    painter.fillRect(zoneInPicture(zone), Qt::transparent);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

const RegisterSheet kColorPanel{"ColorPanel.bmp", QSize(kColorPanelWidth, kColorPanelHeight),
                                paintColorPanel};
const RegisterSheet kMouse{"Mouse.png", QSize(kMousePictureWidth, kMousePictureHeight), paintMouse};

}  // namespace

}  // namespace velt::sheetgen
