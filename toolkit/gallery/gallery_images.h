#pragma once

#include <cstdint>

#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

// The gallery's pictures ("Gallery_*.bmp"), by state, image ID and rectangle.
Image GalleryImage(int32_t state, int32_t id, const Rect& rect);

}  // namespace velt
