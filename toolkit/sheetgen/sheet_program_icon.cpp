// The programs' icon, "ProgramIcon_<size>.png" at every size of the icon theme and
// "ProgramIcon.svg": the accent ring and a V on the dark panel of the sheets, drawn from
// one set of shapes for both.
#include <QPainterPath>

#include <cstdio>
#include <string>

#include "toolkit/platform/program_icon.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

// The shapes on a 256-unit square.
constexpr double kUnits = 256;
constexpr double kTileInset = 10, kTileRadius = 52, kTileEdge = 4;
constexpr double kRingRadius = 86, kRingWidth = 16;
constexpr QPointF kVee[] = {{86, 82}, {128, 178}, {170, 82}};
constexpr double kVeeWidth = 22;

void paintProgramIcon(QPainter& painter, QSize size, SheetState) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size.width() / kUnits, size.height() / kUnits);
  const QRectF tile(kTileInset, kTileInset, kUnits - 2 * kTileInset, kUnits - 2 * kTileInset);
  painter.setPen(QPen(kOutline, kTileEdge));
  painter.setBrush(kPanel);
  painter.drawRoundedRect(tile, kTileRadius, kTileRadius);
  painter.setPen(QPen(kAccent, kRingWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(kUnits / 2, kUnits / 2), kRingRadius, kRingRadius);
  painter.setPen(QPen(kText, kVeeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(kVee, 3);
}

std::string svgColour(const QColor& colour) {
  return colour.name(QColor::HexRgb).toStdString();
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string programIconSvg() {
  const std::string side = number(kUnits - 2 * kTileInset);
  std::string points;
  for (const QPointF& p : kVee)
    points += (points.empty() ? "" : " ") + number(p.x()) + "," + number(p.y());
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
         "viewBox=\"0 0 256 256\">\n"
         "  <rect x=\"" +
         number(kTileInset) + "\" y=\"" + number(kTileInset) + "\" width=\"" + side +
         "\" height=\"" + side + "\" rx=\"" + number(kTileRadius) + "\" fill=\"" +
         svgColour(kPanel) + "\" stroke=\"" + svgColour(kOutline) + "\" stroke-width=\"" +
         number(kTileEdge) +
         "\"/>\n"
         "  <circle cx=\"128\" cy=\"128\" r=\"" +
         number(kRingRadius) + "\" fill=\"none\" stroke=\"" + svgColour(kAccent) +
         "\" stroke-width=\"" + number(kRingWidth) +
         "\"/>\n"
         "  <polyline points=\"" +
         points + "\" fill=\"none\" stroke=\"" + svgColour(kText) + "\" stroke-width=\"" +
         number(kVeeWidth) +
         "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"
         "</svg>\n";
}

struct RegisterProgramIcon {
  RegisterProgramIcon() {
    for (int size : kProgramIconSizes)
      RegisterSheet(programIconFile(size), QSize(size, size), paintProgramIcon);
    RegisterTextFile(kProgramIconSvgFile, programIconSvg);
  }
};
const RegisterProgramIcon kProgramIcon;

}  // namespace

}  // namespace velt::sheetgen
