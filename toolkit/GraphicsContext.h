#pragma once

#include <string>

#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

// How a drawing combines with what is already there.
enum class CompositeMode {
  SourceOver,  // the usual blend
  SourceIn,    // the source where the destination has alpha
  Copy,        // replace, alpha included
};

struct Font {
  std::string family = "DejaVu Sans";
  double pointSize = 9;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// The toolkit's text face at a size: one point is one pixel.
inline Font systemFont(double pointSize) {
  return Font{"DejaVu Sans", pointSize, false};
}

// Width and height of a line of text in a font (height = ascent + descent).
Size measureText(const std::string& text, const Font& font);

// What a view draws with during drawRect; coordinates are the view's own, bottom left.
class GraphicsContext {
 public:
  virtual ~GraphicsContext() = default;

  // Draws an image one to one: the part of the image of the rectangle's size, taken from
  // the image's origin (bottom left), with its origin at the rectangle's origin.
  virtual void drawImage(const Image& image, const Rect& rect, CompositeMode mode) = 0;
  virtual void fillRect(const Rect& rect, const Color& color,
                        CompositeMode mode = CompositeMode::SourceOver) = 0;
  virtual void strokeRect(const Rect& rect, const Color& color, double lineWidth = 1) = 0;
  virtual void strokeLine(const Point& from, const Point& to, const Color& color,
                          double lineWidth = 1) = 0;
  // Text whose line box has its bottom-left corner at the point.
  virtual void drawText(const std::string& text, const Point& at, const Font& font,
                        const Color& color) = 0;
  // Text starting at the rectangle's top-left corner, clipped to it.
  virtual void drawTextInRect(const std::string& text, const Rect& rect, const Font& font,
                              const Color& color) = 0;
};

}  // namespace velt
