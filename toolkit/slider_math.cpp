#include "toolkit/slider_math.h"

#include <cmath>
#include <limits>

namespace velt {

int32_t truncToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  if (value <= lo) return std::numeric_limits<int32_t>::min();
  if (value >= hi) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

std::optional<int64_t> roundHalfUp(float value) {
  if (!std::isfinite(value)) return std::nullopt;
  // Beyond this every float is an integer already, and int64 still holds it.
  constexpr float limit = 4.0e18f;
  if (value > limit) value = limit;
  if (value < -limit) value = -limit;
  auto whole = static_cast<int64_t>(value);
  return value - static_cast<float>(whole) >= 0.5f ? whole + 1 : whole;
}

int64_t clampValue(int64_t value, int32_t min, int32_t max) {
  if (value > max) value = max;
  if (value < min) value = min;
  return value;
}

int32_t snapToStep(int32_t value, int32_t step) {
  if (step < 1) return value;
  int64_t rest = value % step;  // sign of the value
  int64_t snapped = int64_t{value} - rest + (rest > step / 2 ? step : 0);
  if (snapped > std::numeric_limits<int32_t>::max()) snapped -= step;
  return static_cast<int32_t>(snapped);
}

std::optional<int32_t> sliderValueAt(double x, double offset, int thumbWidth, double width,
                                     int32_t min, int32_t max, int32_t step) {
  float span = static_cast<float>(int64_t{max} - min);
  float travel = static_cast<float>(width - thumbWidth);
  float along = static_cast<float>(x - (thumbWidth / 2 + offset));
  float v = static_cast<float>(min) + span * along / travel;
  std::optional<int64_t> rounded = roundHalfUp(v);
  if (!rounded) return std::nullopt;
  return snapToStep(static_cast<int32_t>(clampValue(*rounded, min, max)), step);
}

int32_t thumbTravel(int32_t value, double travel, int32_t min, int32_t max) {
  if (max == min) return 0;
  float share = static_cast<float>(int64_t{value} - min) / static_cast<float>(int64_t{max} - min);
  return truncToInt(share * static_cast<float>(travel));
}

int32_t sliderThumbCentre(int32_t value, int thumbWidth, double width, int32_t min, int32_t max) {
  return truncToInt(thumbWidth / 2 +
                    static_cast<double>(thumbTravel(value, width - thumbWidth, min, max)));
}

}  // namespace velt
