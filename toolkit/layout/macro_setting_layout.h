#pragma once

#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// The macro page, 783 x 349 points in its own coordinates. "MacroSetting_BK.bmp" is the
// page's background; "MacroSetting_Normal.bmp" to "MacroSetting_Disable.bmp" hold the
// controls' faces at their frames, and below the page, in a band of their own, the
// faces of controls that share a frame with another (Stop recording lies where Start
// recording is).

inline constexpr Size kMacroSettingPageSize = {783, 349};
inline constexpr double kMacroSheetBand = 40;
inline constexpr Size kMacroSettingSheetSize = {783, 349 + kMacroSheetBand};
// Sheet rectangles sit this far above page rectangles: the band is at the sheet's bottom.
inline constexpr double kMacroSheetOffset = kMacroSheetBand;

inline constexpr Rect kMacroListPanel = {16, 16, 216, 317};
inline constexpr Rect kMacroEventsPanel = {248, 16, 344, 317};
inline constexpr Rect kMacroRecordPanel = {608, 16, 159, 317};
inline constexpr Rect kMacroRecordNote = {620, 24, 136, 140};

constexpr Rect onSheet(Rect frame) {
  return {frame.x, frame.y + kMacroSheetOffset, frame.width, frame.height};
}

inline constexpr Rect kMacroListFrame = {24, 64, 200, 241};
inline constexpr Rect kMacroEventsFrame = {256, 24, 328, 281};
inline constexpr Rect kRecordButtonFrame = {620, 180, 136, 30};

inline constexpr ControlLayout kMacroList = {
    100, kMacroListFrame, "Macros", {}, onSheet(kMacroListFrame)};
inline constexpr ControlLayout kMacroEvents = {
    101, kMacroEventsFrame, "Macro events", {}, onSheet(kMacroEventsFrame)};
inline constexpr ControlLayout kNewMacroButton = {
    102, {24, 24, 96, 30}, "New macro", {}, onSheet({24, 24, 96, 30})};
inline constexpr ControlLayout kDeleteMacroButton = {
    103, {128, 24, 96, 30}, "Delete macro", {}, onSheet({128, 24, 96, 30})};
inline constexpr ControlLayout kRecordDelaysBox = {
    104, {616, 270, 148, 20}, "Record delays", {}, onSheet({616, 270, 148, 20})};
inline constexpr ControlLayout kRecordPressesBox = {
    105, {616, 240, 148, 20}, "Record presses only", {}, onSheet({616, 240, 148, 20})};
inline constexpr ControlLayout kStartRecordingButton = {
    106, kRecordButtonFrame, "Start recording", {}, onSheet(kRecordButtonFrame)};
inline constexpr ControlLayout kStopRecordingButton = {
    107, kRecordButtonFrame, "Stop recording", {}, {kRecordButtonFrame.x, 5, 136, 30}};

}  // namespace velt
