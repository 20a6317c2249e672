#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "toolkit/events.h"

namespace velt::test {

// The subMsg reports a RecordingView got, in order.
using Messages = std::vector<std::pair<int32_t, int32_t>>;

// A mouse event at a point in the receiving view's own coordinates.
inline MouseEvent at(Point p) {
  MouseEvent e;
  e.location = p;
  return e;
}
inline MouseEvent at(double x, double y) {
  return at(Point{x, y});
}

}  // namespace velt::test
