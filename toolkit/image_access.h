#pragma once

#include <cstdint>
#include <string>

#include "toolkit/Image.h"
#include "toolkit/geometry.h"

namespace velt {

// The configuration application's pictures by (state, image ID, rectangle), from one
// store shared by every page, created on the first call.
Image GetImage(int32_t state, int32_t id, const Rect& rect);

// A whole sheet by its file name ("TQA2-1.bmp"), from the same store, drawn at each ratio
// it is drawn at; a null image when there is none.
Image GetNamedImage(const std::string& fileName);

// A new picture of the rectangle's size holding that rectangle of the image (from the
// bottom left); none when the rectangle has no width or no height.
Image imageClone(const Image& image, const Rect& rect);

}  // namespace velt
