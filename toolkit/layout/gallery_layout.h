#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// The gallery window: every control family in a titled section of its own. The sheet
// generator paints the sections and the controls' pictures from these same tables, and
// the gallery places the controls by them, so each picture lies under its control.
// Rectangles are in the gallery's coordinates, bottom left, y up.

inline constexpr Size kGallerySize = {800, 600};
inline constexpr Rect kGalleryTitle = {16, 566, 500, 24};

struct GallerySectionLayout {
  const char* title;
  Rect frame;
  int32_t firstId;  // the section's controls use image IDs firstId .. firstId + 19
};

// Three columns; the colour and list box sections are two rows high.
inline constexpr GallerySectionLayout kGalleryButtons = {"Buttons", {8, 376, 256, 176}, 1};
inline constexpr GallerySectionLayout kGalleryChecks = {
    "Check box, static, progress", {8, 192, 256, 176}, 20};
inline constexpr GallerySectionLayout kGalleryMenus = {"Menus", {8, 8, 256, 176}, 40};
inline constexpr GallerySectionLayout kGallerySliders = {
    "Sliders and scroll bar", {272, 376, 256, 176}, 60};
inline constexpr GallerySectionLayout kGalleryListBox = {"List box", {272, 8, 256, 360}, 80};
inline constexpr GallerySectionLayout kGalleryColour = {"Colour", {536, 192, 256, 360}, 100};
inline constexpr GallerySectionLayout kGalleryEdit = {"Text field", {536, 8, 256, 176}, 120};

inline constexpr std::array<GallerySectionLayout, 7> kGallerySections = {
    kGalleryButtons, kGalleryChecks, kGalleryMenus, kGallerySliders,
    kGalleryListBox, kGalleryColour, kGalleryEdit};

// Image IDs of the gallery's sheets: 0 the whole background, 1 to 139 the controls.
inline constexpr int32_t kGalleryBackgroundId = 0;
inline constexpr int32_t kGalleryLastId = 139;

// The buttons section. Wording is part of the pictures except for the caption button,
// which draws its caption itself.

inline constexpr std::array<ControlLayout, 7> kGalleryButtonLayouts = {{
    {1, {24, 494, 104, 26}, "Apply"},
    {2, {144, 494, 104, 26}, "Cancel"},
    {3, {24, 452, 68, 26}, "Profile 1"},
    {4, {100, 452, 68, 26}, "Profile 2"},
    {5, {176, 452, 68, 26}, "Profile 3"},
    {6, {24, 410, 104, 26}, "Disabled"},
    {7, {144, 413, 104, 20}, ""},
}};
inline constexpr int32_t kGalleryFirstTab = 3;
inline constexpr int32_t kGalleryLastTab = 5;
inline constexpr int32_t kGalleryDisabledButton = 6;
inline constexpr int32_t kGalleryCaptionButton = 7;

// The text field section: the field, its wording drawn above it.
inline constexpr ControlLayout kGalleryMacroName = {.id = kGalleryEdit.firstId,
                                                    .frame = {552, 100, 224, 22},
                                                    .wording = "Macro name",
                                                    .label = {552, 126, 224, 14}};

}  // namespace velt
