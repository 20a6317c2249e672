#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"

namespace velt {

// The pop-up dialogs of VELTPLUS: one sheet family per dialog type, all of one size, in
// the dialog's own coordinates (bottom left, y up). The wording is drawn into the sheets;
// the dialog windows take their headline as their name and the wording as their
// description, so screen readers read what the picture says.

inline constexpr Size kDialogSize = {400, 200};
inline constexpr Rect kDialogHeadline = {20, 164, 330, 24};
inline constexpr Rect kDialogClose = {366, 166, 24, 24};
inline constexpr Rect kDialogWording = {20, 64, 360, 88};
inline constexpr Rect kDialogOK = {204, 16, 84, 28};
inline constexpr Rect kDialogCancel = {300, 16, 84, 28};
// A dialog without Cancel has its OK where Cancel would be.
inline constexpr Rect kDialogLoneOK = kDialogCancel;

// Dialog-specific parts.
inline constexpr Rect kRenameWording = {20, 112, 360, 40};
inline constexpr Rect kRenameField = {20, 70, 360, 26};
inline constexpr Rect kAssignKeyWording = {20, 104, 360, 48};
inline constexpr Rect kAssignKeyName = {20, 66, 360, 28};
inline constexpr Rect kAnalysisWording = {96, 64, 200, 88};
inline constexpr Rect kAnalysisAnimation = {20, 72, 64, 64};
inline constexpr Rect kAnalysisCountdown = {304, 80, 76, 48};

struct DialogLayout {
  int32_t type;        // the dialog type, also the image ID of its background
  const char* family;  // sheets "<family>_Normal.bmp" ...
  bool hasDisableSheet;
  int32_t okId;  // 0 where the dialog has no such button
  int32_t cancelId;
  int32_t closeId;
  const char* headline;
  const char* wording;
};

inline constexpr int32_t kRenameDialog = 125;
inline constexpr int32_t kLeftClickWarnDialog = 130;
inline constexpr int32_t kDeleteMacroDialog = 133;
inline constexpr int32_t kAnalysisStartDialog = 137;
inline constexpr int32_t kAnalysisRunDialog = 141;
inline constexpr int32_t kAnalysisDoneDialog = 147;
inline constexpr int32_t kResetWarnDialog = 150;
inline constexpr int32_t kAssignKeyDialog = 154;

inline constexpr int32_t kAnalysisCountdownId = 145;
inline constexpr int32_t kAnalysisAnimationId = 146;
inline constexpr int32_t kAssignKeyNameId = 158;
// The three frames of the running analysis' animation, whole sheets of this size.
inline constexpr Size kAnalysisFrameSize = {64, 64};
inline constexpr std::array<const char*, 3> kAnalysisFrames = {"TQA2-1.bmp", "TQA2-2.bmp",
                                                               "TQA2-3.bmp"};

// clang-format off
inline constexpr std::array<DialogLayout, 8> kDialogLayouts = {{
  {kRenameDialog, "ReName", true, 126, 127, 128, "Rename profile",
   "Type a new name for this profile. OK renames it; Cancel keeps the old name."},
  {kLeftClickWarnDialog, "LeftClickWarn", false, 131, 0, 132, "Left click is needed",
   "At least one button must keep the left click, or the mouse could not click. "
   "Give another button the left click first."},
  {kDeleteMacroDialog, "DeleteMacro", false, 134, 135, 136, "Delete this macro?",
   "The macro leaves the macro list, and buttons that use it go back to their default "
   "function. OK deletes it; Cancel keeps it."},
  {kAnalysisStartDialog, "SensorSQAT1", false, 138, 139, 140, "Analyze the surface",
   "Put the mouse on the surface you use and keep moving it for about ten seconds. "
   "OK starts."},
  {kAnalysisRunDialog, "SensorSQAT2", false, 142, 143, 144, "Analyzing the surface",
   "Keep moving the mouse until the countdown ends. Cancel stops the analysis."},
  {kAnalysisDoneDialog, "SensorSQAT3", false, 148, 0, 149, "Analysis finished",
   "The surface has been measured. OK shows its quality on the sensor page."},
  {kResetWarnDialog, "ResetWarn", false, 151, 152, 153, "Reset all profiles?",
   "All five profiles go back to their default settings and names, and are written to "
   "the mouse. Recorded macros stay in the macro list. OK resets; Cancel keeps them."},
  {kAssignKeyDialog, "AssignKey", true, 156, 157, 155, "Assign a single key",
   "Press the key this button should send; every key counts, Esc, Tab, Return and "
   "modifiers alone too. OK assigns it; Cancel keeps the button as it was."},
}};
// clang-format on

constexpr const DialogLayout* dialogLayout(int32_t type) {
  for (const DialogLayout& layout : kDialogLayouts)
    if (layout.type == type) return &layout;
  return nullptr;
}

// Where the dialog's text sits: the generic wording area, or a type's own.
constexpr Rect dialogWordingRect(int32_t type) {
  switch (type) {
    case kRenameDialog:
      return kRenameWording;
    case kAssignKeyDialog:
      return kAssignKeyWording;
    case kAnalysisRunDialog:
      return kAnalysisWording;
    default:
      return kDialogWording;
  }
}

constexpr Rect dialogOKRect(const DialogLayout& layout) {
  return layout.cancelId ? kDialogOK : kDialogLoneOK;
}

}  // namespace velt
