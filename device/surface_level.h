#pragma once

#include <cstdint>

namespace velt {

// The surface-quality level 0..10 that a surface analyzer result byte stands for, as
// veltctl and the sensor page show it.
int surfaceLevel(uint8_t value);

}  // namespace velt
