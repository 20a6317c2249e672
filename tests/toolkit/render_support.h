#pragma once

#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <memory>

#include "toolkit/KivImageView.h"
#include "toolkit/platform/QtGraphicsContext.h"

namespace velt::test {

// What a view's drawRect paints on a transparent surface of its bounds' size.
inline QImage render(KivImageView& view) {
  const Rect b = view.bounds();
  QImage image(static_cast<int>(b.width), static_cast<int>(b.height),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  QtGraphicsContext gc(painter, b.height);
  view.drawRect(gc, b);
  return image;
}

// The pixel at (x, y) from the bottom left, as drawn.
inline QRgb pixelAt(const QImage& image, int x, int y) {
  return image.pixel(x, image.height() - 1 - y);
}

// Pixels in the rectangle (bottom left) whose colour lies within 8 of the given one in
// each channel: text drawn in a colour, counted through its anti-aliasing.
inline int pixelsNear(const QImage& image, const Rect& r, QRgb colour) {
  int count = 0;
  for (int y = static_cast<int>(r.y); y < static_cast<int>(r.maxY()); ++y)
    for (int x = static_cast<int>(r.x); x < static_cast<int>(r.maxX()); ++x) {
      QRgb p = pixelAt(image, x, y);
      if (std::abs(qRed(p) - qRed(colour)) < 8 && std::abs(qGreen(p) - qGreen(colour)) < 8 &&
          std::abs(qBlue(p) - qBlue(colour)) < 8)
        ++count;
    }
  return count;
}

// A host without a window that counts what the view asks of it.
class CountingHost : public ViewHost {
 public:
  void setFrame(const Rect&) override {}
  void setNeedsDisplay() override { ++redraws; }
  void setSuperHost(ViewHost*) override {}
  void setHidden(bool) override {}
  Point convertToScreen(const Point& p) const override { return p; }
  Point convertToWindow(const Point& p) const override { return p; }
  void setAcceptsKeyboardFocus(bool) override {}
  bool makeFirstResponder() override { return false; }
  void resignFirstResponder() override {}
  void accessibilityChanged() override { ++accessibilityChanges; }

  int redraws = 0;
  int accessibilityChanges = 0;
};

// A control whose host counts redraw requests.
template <typename Control>
class Counted : public Control {
 public:
  CountingHost& counts() { return *counting_; }

 protected:
  std::unique_ptr<ViewHost> createHost() override {
    auto host = std::make_unique<CountingHost>();
    counting_ = host.get();
    return host;
  }

 private:
  CountingHost* counting_ = nullptr;
};

}  // namespace velt::test
