#pragma once

#include <string>

#include "toolkit/geometry.h"

namespace velt {

// One square of the colour palette: its hit area in the panel's coordinates and the
// colour it picks.
class ColorButton {
 public:
  ColorButton() = default;
  ColorButton(const Rect& rect, const Color& color) : m_color(color), m_rect(rect) {}

  const Rect& rect() const { return m_rect; }
  void setRect(const Rect& rect) { m_rect = rect; }
  const Color& color() const { return m_color; }
  void setColor(const Color& color) { m_color = color; }
  // Edges included.
  bool hit(const Point& point) const { return m_rect.contains(point); }

 private:
  Color m_color;
  Rect m_rect;
};

// "#RRGGBB": how a colour is named to screen readers.
std::string colorHexName(const Color& color);

}  // namespace velt
