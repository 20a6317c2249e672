#pragma once

#include <QPainter>

#include "toolkit/GraphicsContext.h"

namespace velt {

// Draws toolkit calls with a QPainter on a surface of the given height, flipping y.
class QtGraphicsContext : public GraphicsContext {
 public:
  QtGraphicsContext(QPainter& painter, double height) : painter_(painter), height_(height) {}

  void drawImage(const Image& image, const Rect& rect, CompositeMode mode) override;
  void fillRect(const Rect& rect, const Color& color, CompositeMode mode) override;
  void strokeRect(const Rect& rect, const Color& color, double lineWidth) override;
  void strokeLine(const Point& from, const Point& to, const Color& color,
                  double lineWidth) override;
  void drawText(const std::string& text, const Point& at, const Font& font,
                const Color& color) override;
  void drawTextInRect(const std::string& text, const Rect& rect, const Font& font,
                      const Color& color) override;

 private:
  QPointF toQPoint(const Point& p) const { return {p.x, height_ - p.y}; }

  QPainter& painter_;
  double height_;
};

}  // namespace velt
