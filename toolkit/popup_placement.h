#pragma once

#include <algorithm>

#include "toolkit/geometry.h"

namespace velt {

namespace detail {

// One axis of a pop-up: [low, high) wanted, [openerLow, openerHigh] what opened it,
// [screenLow, screenHigh] the screen. A pop-up that hangs off one side of its opener and
// does not fit there goes to the mirror place on the other side when that fits; then it
// slides in as far as the screen lets it, its low edge winning when it is too big.
inline double placeOnAxis(double low, double size, double openerLow, double openerHigh,
                          double screenLow, double screenHigh) {
  const double high = low + size;
  const double middle = low + size / 2;
  const bool outside = low < screenLow || high > screenHigh;
  const bool besideOpener = middle > openerHigh || middle < openerLow;
  if (outside && besideOpener) {
    const double mirrored = openerLow + openerHigh - high;
    if (mirrored >= screenLow && mirrored + size <= screenHigh) return mirrored;
  }
  return std::max(screenLow, std::min(low, screenHigh - size));
}

}  // namespace detail

// Where a pop-up (menu, submenu, palette) opens: the wanted frame, flipped to the other
// side of its opener on an axis where it would leave the screen, else slid onto it. All
// three rectangles in the same coordinates.
inline Rect keepPopupOnScreen(const Rect& wanted, const Rect& opener, const Rect& screen) {
  if (screen.isEmpty()) return wanted;
  return {detail::placeOnAxis(wanted.x, wanted.width, opener.minX(), opener.maxX(), screen.minX(),
                              screen.maxX()),
          detail::placeOnAxis(wanted.y, wanted.height, opener.minY(), opener.maxY(), screen.minY(),
                              screen.maxY()),
          wanted.width, wanted.height};
}

}  // namespace velt
