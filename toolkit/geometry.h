#pragma once

#include <algorithm>
#include <cstdint>

namespace velt {

// Toolkit coordinates are points with the origin at the bottom left and y growing
// upwards. One point is one pixel of the image sheets.

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
  Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
  Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
  bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  friend bool operator==(const Rect&, const Rect&) = default;

  Point origin() const { return {x, y}; }
  Size size() const { return {width, height}; }
  double minX() const { return x; }
  double minY() const { return y; }
  double maxX() const { return x + width; }
  double maxY() const { return y + height; }
  bool isEmpty() const { return width <= 0 || height <= 0; }
  // Edges included, as the controls' hit tests expect.
  bool contains(const Point& p) const {
    return p.x >= x && p.x <= maxX() && p.y >= y && p.y <= maxY();
  }
  Rect offsetBy(double dx, double dy) const { return {x + dx, y + dy, width, height}; }
  Rect insetBy(double dx, double dy) const {
    return {x + dx, y + dy, width - 2 * dx, height - 2 * dy};
  }
  // Same size at the origin: the bounds of a view with this frame.
  Rect bounds() const { return {0, 0, width, height}; }
  Rect intersected(const Rect& o) const {
    double left = std::max(x, o.x), bottom = std::max(y, o.y);
    double right = std::min(maxX(), o.maxX()), top = std::min(maxY(), o.maxY());
    if (right <= left || top <= bottom) return {};
    return {left, bottom, right - left, top - bottom};
  }
};

// Device RGB with alpha, each component 0.0 to 1.0.
struct Color {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;

  friend bool operator==(const Color&, const Color&) = default;

  static constexpr Color fromRgb8(int r, int g, int b, int a = 255) {
    return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
  }
  static constexpr Color gray(double level, double a = 1) { return {level, level, level, a}; }
  static constexpr Color clear() { return {0, 0, 0, 0}; }
};

// Colours the controls share.
inline constexpr Color kAccentColor = Color::fromRgb8(179, 211, 53);
inline constexpr Color kWhiteColor = {1, 1, 1, 1};

// Byte form of one component, rounded as the platform stores it.
inline int toByte(double component) {
  return static_cast<int>(std::clamp(component, 0.0, 1.0) * 255.0 + 0.5);
}

}  // namespace velt
