#pragma once

#include <cstdint>
#include <span>

#include "toolkit/Image.h"
#include "toolkit/ImageManager.h"
#include "toolkit/geometry.h"

namespace velt {

// The updater's image table: per dialog its background (the whole Normal sheet) and its
// controls (cut from the Normal, Hover or Push sheet); the progress bar and the
// progress dialog's version label take state 0 from the Normal sheet and states 1 and 2
// from the Hover sheet.
std::span<const ImageFamily> updaterImageTable();

// The updater's pictures by (state, image ID, rectangle), from one store loaded on the
// first call; an ID outside the table logs "getNSImage is nil <ID>" and gives none.
Image updaterImage(int32_t state, int32_t id, const Rect& rect);

}  // namespace velt
