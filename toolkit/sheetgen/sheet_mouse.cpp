// The LED preview's picture "Mouse.png": a wired gaming mouse seen from above, lying with
// its nose to the top left, its four LED windows cut fully transparent, each shaped like
// what it lights and lying within its zone rectangle, so that the preview's zone colours
// show through them.
//
// The body is drawn in its own upright frame: x to the mouse's right, y from the front to
// the back, the origin at the middle of the scroll wheel. The frame's axis runs from the
// scroll wheel zone's centre through the logo zone's centre, so both sit on the mouse's
// centre line wherever the zone table puts them.
#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <numbers>
#include <vector>

#include "toolkit/mouse_zones.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

QRect zoneInPicture(const MouseZoneRect& zone) {
  return QRect(zone.x, zone.belowTop - zone.height, zone.width, zone.height);
}

QPointF centreOf(const MouseZoneRect& zone) {
  return QRectF(zoneInPicture(zone)).center();
}

// From the mouse's upright frame to the picture.
QTransform bodyFrame() {
  const QPointF wheel = centreOf(kScrollWheelZone);
  const QPointF axis = centreOf(kLogoTypeZone) - wheel;
  const double degrees = std::atan2(axis.y(), axis.x()) * 180 / std::numbers::pi - 90;
  QTransform frame;
  frame.translate(wheel.x(), wheel.y());
  frame.rotate(degrees);
  return frame;
}

// The shell's outline, clockwise from the nose: a long left button whose front runs
// straight across, a right button swept back along the picture's top, a round back, a
// thumb groove and a wide left flank whose outer face carries the DPI indicator.
QPainterPath shellOutline() {
  QPainterPath p;
  p.moveTo(-10, -21);
  p.cubicTo(1, -15, 13, -7, 22, -0.5);      // right button's front
  p.cubicTo(32, 7, 42, 20, 48, 36);         // its front corner
  p.cubicTo(54, 56, 57, 90, 56, 120);       // right side
  p.cubicTo(55, 150, 50, 180, 34, 198);     // right haunch
  p.cubicTo(18, 212, -18, 214, -34, 198);   // back
  p.cubicTo(-46, 185, -50, 150, -49, 120);  // left side
  p.cubicTo(-48, 95, -53, 75, -59, 55);     // thumb groove
  p.cubicTo(-65, 40, -72, 20, -73.4, 2.5);  // flank
  p.lineTo(-57.8, -20.7);                   // flank's outer face, with the DPI indicator
  p.cubicTo(-45, -23, -22, -23, -10, -21);  // left button's front
  p.closeSubpath();
  return p;
}

// The crease between the left button and the flank.
QPainterPath flankCrease() {
  QPainterPath p;
  p.moveTo(-49, -25);
  p.cubicTo(-52, 15, -54, 40, -57, 62);
  return p;
}

QPainterPath flankArea() {
  QPainterPath area;
  area.moveTo(-100, -30);
  area.lineTo(-49, -30);
  area.connectPath(flankCrease());
  area.lineTo(-100, 62);
  area.closeSubpath();
  return area.intersected(shellOutline());
}

// The line where the two buttons end and the palm begins.
QPainterPath buttonsBackEdge() {
  QPainterPath p;
  p.moveTo(-60, 58);
  p.cubicTo(-30, 72, 30, 72, 62, 52);
  return p;
}

QPainterPath buttonsArea() {
  QPainterPath area;
  area.moveTo(-90, -40);
  area.lineTo(90, -40);
  area.lineTo(90, 52);
  area.connectPath(buttonsBackEdge().toReversed());
  area.lineTo(-90, 58);
  area.closeSubpath();
  return area.intersected(shellOutline()).subtracted(flankArea());
}

// Rubber side grips in the thumb groove and under the ring finger.
QPainterPath gripLeft() {
  QPainterPath p;
  p.moveTo(-80, 62);
  p.lineTo(-57, 62);
  p.cubicTo(-38, 85, -36, 115, -44, 142);
  p.lineTo(-80, 142);
  p.closeSubpath();
  return p.intersected(shellOutline());
}

QPainterPath gripRight() {
  QPainterPath p;
  p.moveTo(80, 62);
  p.lineTo(60, 62);
  p.cubicTo(44, 90, 42, 125, 50, 150);
  p.lineTo(80, 150);
  p.closeSubpath();
  return p.intersected(shellOutline());
}

void paintGrip(QPainter& painter, const QPainterPath& grip) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(20, 21, 24));
  painter.drawPath(grip);
  painter.setClipPath(grip, Qt::IntersectClip);
  painter.setPen(QPen(QColor(58, 61, 67), 1));
  for (int y = 40; y < 170; y += 3) painter.drawLine(QPointF(-90, y), QPointF(90, y + 10));
  painter.restore();
}

// The two thumb buttons behind the flank.
void paintThumbButtons(QPainter& painter) {
  QPainterPath front;
  front.moveTo(-70, 8);
  front.cubicTo(-68, 16, -66, 24, -64, 30);
  QPainterPath back;
  back.moveTo(-63, 35);
  back.cubicTo(-61, 41, -59, 47, -57, 54);
  painter.setBrush(Qt::NoBrush);
  for (const QPainterPath& button : {front, back}) {
    painter.setPen(QPen(kOutlineOver, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(button);
    painter.setPen(QPen(kFaceOver, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(button);
  }
}

// The cable leaves the front of the left button and lies curled away to the left.
void paintCable(QPainter& painter, const QTransform& frame) {
  const QPointF relief = frame.map(QPointF(-27, -26));
  const QPointF forward = frame.map(QPointF(-27, -32)) - relief;
  // In the picture's own coordinates from here: it runs off the left edge.
  QPainterPath cable;
  cable.moveTo(relief);
  cable.cubicTo(relief + forward, QPointF(8, 5), QPointF(-4, 13));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(12, 13, 15), 5, Qt::SolidLine, Qt::FlatCap));
  painter.drawPath(cable);
  painter.setPen(QPen(QColor(62, 65, 72), 3, Qt::SolidLine, Qt::FlatCap));
  painter.drawPath(cable);
  painter.setPen(QPen(QColor(90, 94, 102), 1, Qt::SolidLine, Qt::FlatCap));
  painter.drawPath(cable.translated(-0.5, -0.5));
  // The strain relief where the cable enters the shell.
  painter.save();
  painter.setTransform(frame, true);  // onto the sheet's own placement
  painter.setPen(QPen(kOutlineOver, 0.8));
  painter.setBrush(kFace);
  painter.drawRoundedRect(QRectF(-30.5, -27, 7, 6), 2, 2);
  painter.restore();
}

void paintBody(QPainter& painter) {
  const QPainterPath shell = shellOutline();
  // A soft shadow on the desk, then the shell lit from the top left.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(14, 15, 17));
  painter.drawPath(shell.translated(3, 3));
  QRadialGradient light(QPointF(-6, 120), 130, QPointF(-18, 100));
  light.setColorAt(0, QColor(70, 74, 81));
  light.setColorAt(0.55, QColor(48, 51, 56));
  light.setColorAt(1, QColor(30, 32, 36));
  painter.setBrush(light);
  painter.drawPath(shell);

  QLinearGradient buttons(QPointF(-20, -20), QPointF(20, 70));
  buttons.setColorAt(0, QColor(64, 67, 74));
  buttons.setColorAt(1, QColor(46, 49, 54));
  painter.setBrush(buttons);
  painter.drawPath(buttonsArea());

  painter.save();
  painter.setClipPath(shell);
  painter.setBrush(QColor(36, 38, 43));
  painter.drawPath(flankArea());
  paintGrip(painter, gripLeft());
  paintGrip(painter, gripRight());
  paintThumbButtons(painter);

  // A soft sheen down the hump of the palm.
  QRadialGradient sheen(QPointF(-14, 112), 34);
  sheen.setColorAt(0, QColor(255, 255, 255, 22));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(sheen);
  painter.drawEllipse(QPointF(-14, 112), 34, 34);

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(16, 17, 19), 1.4));
  painter.drawPath(buttonsBackEdge());
  painter.drawLine(QPointF(0, -16), QPointF(0, 66));  // the seam between the buttons
  painter.drawPath(flankCrease());
  // A thin lit trim along the flank.
  painter.setPen(QPen(kAccent, 1));
  painter.drawPath(flankCrease().translated(-1.2, 0));
  painter.restore();

  // The rim catches the light on the left and falls into shade on the right.
  QLinearGradient rim(QPointF(-70, 0), QPointF(60, 120));
  rim.setColorAt(0, QColor(128, 133, 142));
  rim.setColorAt(1, QColor(70, 74, 81));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QBrush(rim), 1));
  painter.drawPath(shell);
}

// Each LED window has the shape of what it lights, drawn in the mouse's upright frame
// around its zone's centre: the scroll wheel's ring, the DPI indicator's strip along the
// flank's outer face, the two DPI buttons behind the wheel, and the logo, a "V".
QPainterPath windowShape(int zoneIndex, const QTransform& frame) {
  const QPointF centre =
      frame.inverted().map(centreOf(kMouseZones[static_cast<size_t>(zoneIndex)]));
  QPainterPath shape;
  QPainterPathStroker stroke;
  stroke.setCapStyle(Qt::RoundCap);
  stroke.setJoinStyle(Qt::RoundJoin);
  switch (zoneIndex) {
    case 0: {  // the wheel's ring
      QPainterPath outer, inner;
      outer.addRoundedRect(QRectF(centre.x() - 5, centre.y() - 9, 10, 18), 5, 5);
      inner.addRoundedRect(QRectF(centre.x() - 2.5, centre.y() - 6.5, 5, 13), 2.5, 2.5);
      shape = outer.subtracted(inner);
      break;
    }
    case 1: {  // the indicator strip, along the flank's outer face
      const QPointF along = (QPointF(-57.8, -20.7) - QPointF(-73.4, 2.5)) * 0.22;
      QPainterPath line;
      line.moveTo(centre - along);
      line.lineTo(centre + along);
      stroke.setWidth(4);
      shape = stroke.createStroke(line);
      break;
    }
    case 2:  // the two buttons, one behind the other
      shape.addRoundedRect(QRectF(centre.x() - 4, centre.y() - 8, 8, 7), 2, 2);
      shape.addRoundedRect(QRectF(centre.x() - 4, centre.y() + 1, 8, 7), 2, 2);
      break;
    default: {  // the logo
      QPainterPath v;
      v.moveTo(centre + QPointF(-11, -9));
      v.lineTo(centre + QPointF(0, 10));
      v.lineTo(centre + QPointF(11, -9));
      stroke.setWidth(5);
      shape = stroke.createStroke(v);
      break;
    }
  }
  // Always within the zone's rectangle, where the preview paints the zone's colour.
  QPainterPath zoneArea;
  zoneArea.addRect(QRectF(zoneInPicture(kMouseZones[static_cast<size_t>(zoneIndex)])));
  return frame.map(shape).intersected(zoneArea);
}

// Each window sits in a dark bezel with a thin rim, as the light pipes of the shell.
void paintWindowBezels(QPainter& painter, const std::vector<QPainterPath>& windows) {
  QPainterPathStroker bezel;
  bezel.setWidth(4);
  bezel.setJoinStyle(Qt::RoundJoin);
  for (const QPainterPath& window : windows) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(12, 13, 15));
    painter.drawPath(bezel.createStroke(window).united(window));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kOutlineOver, 0.8));
    painter.drawPath(window);
  }
}

void paintMouse(QPainter& painter, QSize size, SheetState) {
  const QTransform frame = bodyFrame();
  painter.fillRect(
      QRect(QPoint(0, 0), size),
      QColor(kMousePictureBackground[0], kMousePictureBackground[1], kMousePictureBackground[2]));
  painter.setRenderHint(QPainter::Antialiasing);
  paintCable(painter, frame);
  painter.save();
  painter.setTransform(frame, true);  // onto the sheet's own placement
  paintBody(painter);
  painter.restore();
  std::vector<QPainterPath> windows;
  for (int i = 0; i < static_cast<int>(kMouseZones.size()); ++i)
    windows.push_back(windowShape(i, frame));
  paintWindowBezels(painter, windows);
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const QPainterPath& window : windows) painter.drawPath(window);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

const RegisterSheet kMouse{"Mouse.png", QSize(kMousePictureWidth, kMousePictureHeight), paintMouse};

}  // namespace

}  // namespace velt::sheetgen
