#include "toolkit/sheetgen/sheet_style.h"

#include <QFontMetrics>
#include <QPainterPath>

#include <cmath>

namespace velt::sheetgen {

QRect sheetRect(const Rect& r, int sheetHeight) {
  int x = static_cast<int>(std::lround(r.x));
  int width = static_cast<int>(std::lround(r.width));
  int height = static_cast<int>(std::lround(r.height));
  int top = sheetHeight - static_cast<int>(std::lround(r.y)) - height;
  return QRect(x, top, width, height);
}

QFont sheetFont(int pixelSize, bool bold) {
  QFont font("DejaVu Sans");
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void paintBackground(QPainter& painter, QSize size) {
  painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
}

// A one-pixel outline on the area's edge pixels.
static void outline(QPainter& painter, const QRect& area, QColor color) {
  painter.setPen(QPen(color, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void paintPanel(QPainter& painter, const QRect& area, const std::string& title) {
  painter.fillRect(area, kPanel);
  outline(painter, area, kOutline);
  if (!title.empty())
    paintText(painter, QRect(area.left() + 10, area.top() + 6, area.width() - 20, 14), title,
              kTextDim, 11);
}

void paintButtonFace(QPainter& painter, const QRect& area, SheetState state,
                     const std::string& wording) {
  QColor face = state == kOver      ? kFaceOver
                : state == kDown    ? kFaceDown
                : state == kDisable ? kFaceDisable
                                    : kFace;
  QColor edge = state == kOver ? kOutlineOver : state == kDown ? kAccent : kOutline;
  QColor text = state == kDown ? kAccent : state == kDisable ? kTextDisable : kText;
  painter.fillRect(area, face);
  outline(painter, area, edge);
  if (state == kDown)  // a lit bar along the bottom edge
    painter.fillRect(QRect(area.left() + 1, area.bottom() - 1, area.width() - 2, 1), kAccent);
  paintText(painter, area, wording, text, 11, Qt::AlignCenter);
}

void paintText(QPainter& painter, const QRect& area, const std::string& text, QColor color,
               int pixelSize, int alignment) {
  painter.setFont(sheetFont(pixelSize));
  painter.setPen(color);
  painter.drawText(area, alignment, QString::fromStdString(text));
}

void paintArrow(QPainter& painter, const QRect& area, bool up, QColor color) {
  QPointF c = QRectF(area).center();
  double dy = up ? -2 : 2;
  QPainterPath arrow;
  arrow.moveTo(c.x() - 3, c.y() - dy);
  arrow.lineTo(c.x() + 3, c.y() - dy);
  arrow.lineTo(c.x(), c.y() + dy);
  arrow.closeSubpath();
  painter.fillPath(arrow, color);
}

void paintWrappedText(QPainter& painter, const QRect& area, const std::string& text, QColor color,
                      int pixelSize) {
  painter.setFont(sheetFont(pixelSize));
  painter.setPen(color);
  painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QString::fromStdString(text));
}

void paintTitle(QPainter& painter, const QRect& area, const std::string& name,
                const std::string& subtitle, int pixelSize) {
  const QFont bold = sheetFont(pixelSize, true);
  painter.setFont(bold);
  painter.setPen(kText);
  QString qName = QString::fromStdString(name);
  painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, qName);
  const QFontMetrics metrics(bold);
  int nameWidth = metrics.horizontalAdvance(qName);
  painter.fillRect(QRect(area.left(), area.bottom() + 2, nameWidth, 2), kAccent);
  if (!subtitle.empty())
    paintText(painter, area.adjusted(nameWidth + metrics.horizontalAdvance(" "), 0, 0, 0), subtitle,
              kTextDim, pixelSize);
}

}  // namespace velt::sheetgen
