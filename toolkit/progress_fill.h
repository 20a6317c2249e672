#pragma once

#include <cstdint>

namespace velt {

// Integer part of f x extent, where f = (cur - min) / (max - min) in single precision.
// Values outside the range give a fill outside [0, extent]; an empty or inverted range
// gives 0, and the result saturates instead of overflowing.
int32_t progressFill(int32_t cur, int32_t min, int32_t max, int32_t extent);

}  // namespace velt
