#include "toolkit/led_animation.h"

#include <algorithm>

namespace velt {
namespace {

// The counter runs for as long as the program does; wrap instead of overflowing.
int32_t wrappingAdd(int32_t value, int32_t delta) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

int32_t clampChannel(int32_t value) {
  return std::clamp(value, 0, 255);
}

}  // namespace

LedAnimationState& ledAnimationState() {
  static LedAnimationState state;
  return state;
}

std::optional<std::chrono::milliseconds> ledModeInterval(int32_t mode) {
  using std::chrono::milliseconds;
  switch (mode) {
    case 1:
      return milliseconds(100'000);
    case 2:
      return milliseconds(1'000);
    case 3:
    case 4:
      return milliseconds(100);
    default:
      return std::nullopt;
  }
}

std::optional<uint8_t> ledModeStep(int32_t mode, LedAnimationState& state) {
  switch (mode) {
    case 2: {  // blinking: one second on, one second off
      const int32_t taken = state.time;
      state.time = wrappingAdd(state.time, 1);
      return taken % 2 != 0 ? 255 : 0;
    }
    case 3: {  // pulsating: two dark ticks, 0.3 s apart, in every 1.5 s
      state.time = wrappingAdd(state.time, 1);
      const int32_t k = state.time % 15;
      return (k == 0 || k == 3) ? 0 : 255;
    }
    case 4: {  // breathing: ramps between 0 and 255 in steps of 10
      state.time = wrappingAdd(state.time, state.bAdd ? -10 : 10);
      if (state.time >= 255) {
        state.time = 255;
        state.bAdd = true;
      } else if (state.time < 1) {
        state.time = 0;
        state.bAdd = false;
      }
      return static_cast<uint8_t>(state.time & 0xFF);
    }
    default:
      return std::nullopt;
  }
}

LedRgb ledColorShiftStep(LedAnimationState& state) {
  if (state.clRed >= 255) {
    state.bRedAdd = false;
  } else if (state.clRed <= 0) {
    state.bRedAdd = true;
  }
  if (state.clGreen >= 255) {
    state.bGreenAdd = true;
  } else if (state.clGreen <= 0) {
    state.bGreenAdd = false;
  }
  int32_t blueStep = 0;
  if (state.clBlue >= 255) {
    state.bBlueAdd = true;
    blueStep = -5;
  } else if (state.clBlue <= 0) {
    state.bBlueAdd = false;
    blueStep = 5;
  } else {
    blueStep = state.bBlueAdd ? -5 : 5;
  }
  state.clRed = clampChannel(state.clRed + (state.bRedAdd ? 15 : -15));
  state.clGreen = clampChannel(state.clGreen + (state.bGreenAdd ? -10 : 10));
  state.clBlue = clampChannel(state.clBlue + blueStep);
  return {state.clRed, state.clGreen, state.clBlue};
}

}  // namespace velt
