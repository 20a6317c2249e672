#pragma once

#include <cstdint>

#include "toolkit/geometry.h"

namespace velt {

// The pictures of the sliders and the scroll bar. The sheet generator draws them at these
// sizes and places; the controls take their geometry from the pictures, so what is
// placed by these numbers lines up with what the controls compute.

// "Slider_Normal.bmp" (normal and over) and "Slider_Disable.bmp": the one-thumb slider.
inline constexpr Size kSliderThumbSize = {10, 14};
// "Slider1.bmp" to "Slider3.bmp": the three-thumb slider's thumbs, told apart by their
// notches (one, two, three).
inline constexpr Size kSlider3DThumbSize = {10, 14};
// The three-thumb slider writes each value 20 points under its thumb.
inline constexpr double kSlider3DLabelHeight = 20;

// "Scroll_Normal.bmp" is the track, drawn one to one from its bottom: tall enough for
// every scroll bar. "Scroll_Down.bmp" (state 0) and "Scroll_Over.bmp" (state 1) hold the
// thumb and the two buttons at these rectangles, bottom left.
inline constexpr double kScrollBarWidth = 12;
inline constexpr Size kScrollTrackSize = {kScrollBarWidth, 600};
inline constexpr Size kScrollPartsSheetSize = {kScrollBarWidth, 64};
inline constexpr Rect kScrollLastPiece = {0, 52, kScrollBarWidth, 12};
inline constexpr Rect kScrollThumbPiece = {0, 26, kScrollBarWidth, 20};
inline constexpr Rect kScrollNextPiece = {0, 0, kScrollBarWidth, 12};

// Image IDs of the shared pictures.
inline constexpr int32_t kSliderThumbId = 115;
inline constexpr int32_t kSliderDisableId = 116;
inline constexpr int32_t kSlider1Id = 117;
inline constexpr int32_t kSlider2Id = 118;
inline constexpr int32_t kSlider3Id = 119;
inline constexpr int32_t kScrollTrackId = 120;
inline constexpr int32_t kScrollThumbId = 121;
inline constexpr int32_t kScrollLastId = 122;
inline constexpr int32_t kScrollNextId = 123;

}  // namespace velt
