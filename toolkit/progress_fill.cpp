#include "toolkit/progress_fill.h"

#include <cmath>
#include <limits>

namespace velt {

int32_t progressFill(int32_t cur, int32_t min, int32_t max, int32_t extent) {
  const int64_t span = int64_t{max} - int64_t{min};
  if (span <= 0) return 0;
  const float f = static_cast<float>(int64_t{cur} - int64_t{min}) / static_cast<float>(span);
  const double fill = std::trunc(static_cast<double>(f * static_cast<float>(extent)));
  if (!std::isfinite(fill)) return 0;
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  if (fill <= kLow) return std::numeric_limits<int32_t>::min();
  if (fill >= kHigh) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(fill);
}

}  // namespace velt
