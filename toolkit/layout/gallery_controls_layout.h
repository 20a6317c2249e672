#pragma once

#include "toolkit/layout/control_layout.h"
#include "toolkit/layout/gallery_layout.h"

namespace velt {

// Where the gallery shows the sliders, the scroll bar, the drop-down buttons and the list
// box, and what screen readers call them; the sheet generator paints their tracks and
// faces under these frames.
inline constexpr ControlLayout kGallerySlider = {
    kGallerySliders.firstId, {288, 500, 176, 20}, "Pointer speed"};
inline constexpr ControlLayout kGalleryDisabledSlider = {
    kGallerySliders.firstId + 1, {288, 468, 176, 20}, "Lift-off distance"};
inline constexpr ControlLayout kGallerySlider3D = {
    kGallerySliders.firstId + 2, {288, 400, 200, 40}, "DPI levels"};
inline constexpr ControlLayout kGalleryScroll = {
    kGallerySliders.firstId + 3, {500, 392, 12, 140}, "Scroll bar"};

inline constexpr ControlLayout kGalleryCombo = {
    kGalleryMenus.firstId, {24, 120, 150, 22}, "Button 1"};
inline constexpr ControlLayout kGalleryComboUp = {
    kGalleryMenus.firstId + 1, {24, 40, 150, 22}, "Button 2"};

inline constexpr ControlLayout kGalleryMacroList = {
    kGalleryListBox.firstId, {288, 60, 200, 270}, "Macros"};

}  // namespace velt
