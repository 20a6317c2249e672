#pragma once

#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/gallery_layout.h"

namespace velt {

// Where the gallery shows the sliders, the scroll bar, the drop-down buttons and the list
// box; the sheet generator paints their tracks and faces under these frames.
inline constexpr int32_t kGallerySliderId = kGallerySliders.firstId;
inline constexpr Rect kGallerySliderFrame = {288, 500, 176, 20};
inline constexpr int32_t kGalleryDisabledSliderId = kGallerySliders.firstId + 1;
inline constexpr Rect kGalleryDisabledSliderFrame = {288, 468, 176, 20};
inline constexpr int32_t kGallerySlider3DId = kGallerySliders.firstId + 2;
inline constexpr Rect kGallerySlider3DFrame = {288, 400, 200, 40};
inline constexpr int32_t kGalleryScrollId = kGallerySliders.firstId + 3;
inline constexpr Rect kGalleryScrollFrame = {500, 392, 12, 140};

inline constexpr int32_t kGalleryComboId = kGalleryMenus.firstId;
inline constexpr Rect kGalleryComboFrame = {24, 120, 150, 22};
inline constexpr int32_t kGalleryComboUpId = kGalleryMenus.firstId + 1;
inline constexpr Rect kGalleryComboUpFrame = {24, 40, 150, 22};

inline constexpr int32_t kGalleryListBoxId = kGalleryListBox.firstId;
inline constexpr Rect kGalleryListBoxFrame = {288, 60, 200, 270};

}  // namespace velt
