#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace velt {

// Counters of the LED preview's animations. One instance serves every preview for the
// life of the process and is never reset, so a mode or colour shift that starts again
// continues from wherever the counters stand.
struct LedAnimationState {
  int32_t time = 200;  // mode animation counter
  bool bAdd = false;   // breathing direction: true while getting darker
  int32_t clRed = 255;
  int32_t clGreen = 125;
  int32_t clBlue = 0;
  bool bRedAdd = false;
  bool bGreenAdd = false;  // true while green falls
  bool bBlueAdd = false;   // true while blue falls
};

LedAnimationState& ledAnimationState();

// Interval of the mode timer; none for a mode without animation (1 solid keeps a long
// idle timer so that every mode owns one).
std::optional<std::chrono::milliseconds> ledModeInterval(int32_t mode);

// One tick of the mode animation: the alpha (0 to 255) the zones take, or none when the
// mode does not animate.
std::optional<uint8_t> ledModeStep(int32_t mode, LedAnimationState& state);

struct LedRgb {
  int32_t red;
  int32_t green;
  int32_t blue;
};

// One colour-shift step: each channel runs its own triangle wave between 0 and 255.
LedRgb ledColorShiftStep(LedAnimationState& state);

}  // namespace velt
