#pragma once

#include <cstdint>
#include <optional>

namespace velt {

// Integer part of a value, saturated to the 32-bit range; 0 for a value that is not a
// number. Geometry from out-of-range values must not overflow.
int32_t truncToInt(double value);

// Rounds half up on the fractional part (v - trunc(v) >= 0.5), so negative fractions
// round towards zero; none for a value that is not finite.
std::optional<int64_t> roundHalfUp(float value);

// Clamps to at most max, then to at least min (min wins when min > max).
int64_t clampValue(int64_t value, int32_t min, int32_t max);

// Snaps to a multiple of the step, ties down: with step 200, 300 -> 200, 301 -> 400. A
// step below 1 leaves the value as it is.
int32_t snapToStep(int32_t value, int32_t step);

// A slider's value under a pointer at x: min at the thumb's centre on the left end
// (offset + thumbWidth / 2), max on the right, rounded, clamped, then snapped. None when
// the track has no room for the thumb to move.
std::optional<int32_t> sliderValueAt(double x, double offset, int thumbWidth, double width,
                                     int32_t min, int32_t max, int32_t step);

// How far a thumb moves from the start for a value: the value's share of the travel, in
// single precision. A range of one value keeps the thumb at the start.
int32_t thumbTravel(int32_t value, double travel, int32_t min, int32_t max);

// The thumb centre's x for a value: thumbWidth / 2 plus the value's share of the travel.
// A range of one value puts the thumb at the left end.
int32_t sliderThumbCentre(int32_t value, int thumbWidth, double width, int32_t min, int32_t max);

}  // namespace velt
