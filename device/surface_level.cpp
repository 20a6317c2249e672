#include "device/surface_level.h"

#include <iterator>

namespace velt {

int surfaceLevel(uint8_t value) {
  // The lowest result of each level from 1 to 10.
  static constexpr uint8_t kLevelStarts[] = {2, 11, 21, 31, 41, 51, 61, 71, 91, 111};
  int level = 0;
  while (level < static_cast<int>(std::size(kLevelStarts)) && value >= kLevelStarts[level]) {
    ++level;
  }
  return level;
}

}  // namespace velt
