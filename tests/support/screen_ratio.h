#pragma once

// Drawing a window as a screen of another device pixel ratio shows it, and telling
// pictures drawn for that ratio from 1x pixels repeated.
#include <QImage>
#include <QWidget>

#include <cmath>

namespace velt::test {

// The widget drawn onto a screen of that device pixel ratio, as a grab there gives it.
inline QImage renderAtRatio(QWidget& widget, double ratio) {
  QImage target(static_cast<int>(std::ceil(widget.width() * ratio)),
                static_cast<int>(std::ceil(widget.height() * ratio)), QImage::Format_RGB32);
  target.setDevicePixelRatio(ratio);
  target.fill(Qt::black);
  widget.render(&target);
  target.setDevicePixelRatio(1);
  return target;
}

// Of the 2 x 2 pixel blocks (at even pixels) inside `area` that hold detail (differ from
// the block to their right or are not one colour), the share that are not one colour: 0
// for a 1x picture with each pixel repeated, most of them for a picture drawn at 2x.
inline double nonUniformBlockShare(const QImage& image, QRect area) {
  int detail = 0;
  int mixed = 0;
  for (int y = area.top() & ~1; y + 1 <= area.bottom(); y += 2)
    for (int x = area.left() & ~1; x + 3 <= area.right(); x += 2) {
      const QRgb a = image.pixel(x, y);
      const bool uniform = image.pixel(x + 1, y) == a && image.pixel(x, y + 1) == a &&
                           image.pixel(x + 1, y + 1) == a;
      if (uniform && image.pixel(x + 2, y) == a) continue;
      ++detail;
      if (!uniform) ++mixed;
    }
  return detail == 0 ? 0 : static_cast<double>(mixed) / detail;
}

// The share of pixels inside `area` of `shown` equal to those of `expected` at the same
// place, where `expected` and `scaledUp` differ: where a picture drawn for the ratio
// shows what 1x pixels scaled up cannot.
inline double shareShownAsDrawn(const QImage& shown, const QImage& expected, const QImage& scaledUp,
                                QRect area, QPoint origin) {
  int telling = 0;
  int same = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QPoint at = QPoint(x, y) - origin;
      if (!expected.rect().contains(at) || !scaledUp.rect().contains(at)) continue;
      const QRgb want = expected.pixel(at);
      const QRgb up = scaledUp.pixel(at);
      if (std::abs(qGray(want) - qGray(up)) < 24) continue;
      ++telling;
      if (shown.pixel(x, y) == want) ++same;
    }
  return telling == 0 ? 0 : static_cast<double>(same) / telling;
}

}  // namespace velt::test
