#pragma once

#include <cstdint>
#include <span>

#include "toolkit/geometry.h"

namespace velt {

// The updater's window and its dialogs. The sheet generator draws each dialog's sheet
// from these tables (the wording, and the controls' faces under their rectangles), and
// the updater's view places its controls by the same tables. Rectangles are in view
// coordinates, bottom left, y up.

inline constexpr Size kUpdaterSize = {376, 177};

enum class UpdaterControlKind {
  kOk,
  kCancel,
  kClose,
  kSoftwareVersion,  // "V1.05"
  kMouseVersion,
  kPackageVersion,
  kProgress,
  // Text known only at run time, in the sheet's face over its background: what went
  // wrong (dialogs 1, 2 and 6) and the package folder (dialog 1). No picture of its own.
  kProblem,
  kPackageFolder,
};

struct UpdaterControl {
  UpdaterControlKind kind;
  int32_t id;  // control ID and image ID
  Rect rect;
};

// One line of a dialog's wording; the title is drawn larger. Lines that lead up to a
// version label end at its left edge.
struct UpdaterLine {
  Rect rect;
  const char* text;
  bool alignRight = false;
};

struct UpdaterDialogLayout {
  int32_t number;      // as the update flow numbers its dialogs; 0 while searching
  const char* family;  // sheets "<family>_Normal.bmp", "_Hover.bmp", "_Push.bmp"
  int32_t backgroundId;
  const char* title;
  std::span<const UpdaterControl> controls;
  std::span<const UpdaterLine> lines;
};

inline constexpr Rect kUpdaterCloseRect = {348, 156, 27, 23};
inline constexpr Rect kUpdaterSoftwareVersionRect = {265, 159, 42, 15};
inline constexpr Rect kUpdaterTitleRect = {14, 154, 240, 18};
inline constexpr Rect kUpdaterOkRect = {317, 5, 56, 24};
inline constexpr Rect kUpdaterOfferOkRect = {256, 5, 55, 23};
inline constexpr Rect kUpdaterOfferCancelRect = {318, 5, 55, 23};
inline constexpr Rect kUpdaterResultOkRect = {316, 4, 58, 26};
inline constexpr Rect kUpdaterProgressRect = {22, 57, 334, 17};

inline constexpr const char* kUpdaterSoftwareVersion = "V1.05";

namespace updater_layout {

using K = UpdaterControlKind;
constexpr double kLeft = 14;
constexpr double kWidth = 348;
constexpr Rect line(double y) {
  return {kLeft, y, kWidth, 14};
}

// clang-format off
inline constexpr UpdaterControl kDlg1Controls[] = {
  {K::kOk, 1, kUpdaterOkRect}, {K::kClose, 2, kUpdaterCloseRect},
  {K::kSoftwareVersion, 3, kUpdaterSoftwareVersionRect},
  {K::kPackageFolder, 48, {kLeft, 94, kWidth, 30}}, {K::kProblem, 49, {kLeft, 62, kWidth, 30}}};
inline constexpr UpdaterLine kDlg1Lines[] = {
  {line(126), "VELTUpdate cannot use the firmware package in"},
  {line(40), "Nothing was sent. Start VELTUpdate with --package DIR"},
  {{kLeft, 24, 290, 14}, "naming a folder that holds a firmware package."}};

inline constexpr UpdaterControl kDlg2Controls[] = {
  {K::kOk, 5, kUpdaterOkRect}, {K::kClose, 6, kUpdaterCloseRect},
  {K::kSoftwareVersion, 7, kUpdaterSoftwareVersionRect},
  {K::kProblem, 50, {kLeft, 62, kWidth, 78}}};
inline constexpr UpdaterLine kDlg2Lines[] = {
  {line(38), "Nothing was sent to the mouse."}};

inline constexpr UpdaterControl kDlg3Controls[] = {
  {K::kOk, 9, kUpdaterOkRect}, {K::kClose, 11, kUpdaterCloseRect},
  {K::kSoftwareVersion, 12, kUpdaterSoftwareVersionRect},
  {K::kMouseVersion, 10, {244, 105, 27, 12}}};
inline constexpr UpdaterLine kDlg3Lines[] = {
  {{kLeft, 104, 226, 14}, "Firmware version of your mouse:", true},
  {line(80), "The package holds the same version:"},
  {line(64), "there is nothing to update."}};

inline constexpr UpdaterControl kDlg4Controls[] = {
  {K::kOk, 14, kUpdaterOfferOkRect}, {K::kCancel, 15, kUpdaterOfferCancelRect},
  {K::kClose, 18, kUpdaterCloseRect}, {K::kSoftwareVersion, 19, kUpdaterSoftwareVersionRect},
  {K::kMouseVersion, 16, {283, 104, 26, 12}}, {K::kPackageVersion, 17, {264, 89, 28, 11}}};
inline constexpr UpdaterLine kDlg4Lines[] = {
  {line(122), "The firmware of your mouse is newer than this package's."},
  {{kLeft, 103, 265, 14}, "Your mouse runs firmware version:", true},
  {{kLeft, 87, 246, 14}, "This package holds the older version:", true},
  {line(62), "OK installs the package's firmware anyway;"},
  {line(46), "Cancel leaves the mouse as it is."}};

inline constexpr UpdaterControl kDlg5Controls[] = {
  {K::kOk, 21, kUpdaterOfferOkRect}, {K::kCancel, 22, kUpdaterOfferCancelRect},
  {K::kClose, 25, kUpdaterCloseRect}, {K::kSoftwareVersion, 26, kUpdaterSoftwareVersionRect},
  {K::kMouseVersion, 23, {113, 89, 26, 11}}, {K::kPackageVersion, 24, {221, 89, 24, 11}}};
inline constexpr UpdaterLine kDlg5Lines[] = {
  {line(118), "A new firmware is available for your mouse."},
  {{kLeft, 87, 95, 14}, "Update from", true},
  {{143, 87, 74, 14}, "to version", true},
  {line(62), "Keep the mouse connected during the update."},
  {line(46), "OK starts it; Cancel leaves the mouse as it is."}};

inline constexpr UpdaterControl kDlg6Controls[] = {
  {K::kOk, 28, kUpdaterResultOkRect}, {K::kClose, 29, kUpdaterCloseRect},
  {K::kSoftwareVersion, 30, kUpdaterSoftwareVersionRect},
  {K::kProblem, 51, {kLeft, 46, kWidth, 78}}};
inline constexpr UpdaterLine kDlg6Lines[] = {
  {line(126), "The update ran into a problem:"}};

inline constexpr UpdaterControl kDlg7Controls[] = {
  {K::kClose, 32, kUpdaterCloseRect}, {K::kSoftwareVersion, 33, kUpdaterSoftwareVersionRect}};
inline constexpr UpdaterLine kDlg7Lines[] = {
  {line(118), "The firmware was sent to the mouse."},
  {line(102), "The mouse restarts now: keep it connected"},
  {line(86), "for about ten seconds."}};

inline constexpr UpdaterControl kDlg9Controls[] = {
  {K::kOk, 39, kUpdaterResultOkRect}, {K::kClose, 41, kUpdaterCloseRect},
  {K::kSoftwareVersion, 42, kUpdaterSoftwareVersionRect},
  {K::kMouseVersion, 40, {171, 89, 30, 11}}};
inline constexpr UpdaterLine kDlg9Lines[] = {
  {line(118), "The firmware update has finished."},
  {{kLeft, 87, 153, 14}, "Now running version:", true},
  {line(62), "Click OK to close VELTUpdate."}};

inline constexpr UpdaterControl kDlg10Controls[] = {
  {K::kProgress, 44, kUpdaterProgressRect},
  {K::kSoftwareVersion, 46, kUpdaterSoftwareVersionRect}};
inline constexpr UpdaterLine kDlg10Lines[] = {
  {line(118), "Sending the firmware to the mouse."},
  {line(102), "Do not disconnect the mouse until it has finished."},
  {line(30), "This takes about half a minute."}};

// Shown from the start until the flow's first dialog: the search for the mouse runs.
inline constexpr UpdaterLine kSearchingLines[] = {
  {line(118), "Reading the firmware package and looking"},
  {line(102), "for the mouse. This can take a moment."}};

}  // namespace updater_layout

inline constexpr UpdaterDialogLayout kUpdaterDialogs[] = {
  {0, "Searching", 47, "Looking for the mouse", {}, updater_layout::kSearchingLines},
  {1, "Firmware_incorrect", 0, "Firmware package incorrect",
   updater_layout::kDlg1Controls, updater_layout::kDlg1Lines},
  {2, "Can_not_find", 4, "Cannot reach the mouse",
   updater_layout::kDlg2Controls, updater_layout::kDlg2Lines},
  {3, "Firmware_up_to_date", 8, "Firmware up to date",
   updater_layout::kDlg3Controls, updater_layout::kDlg3Lines},
  {4, "Firmware_Newer", 13, "Mouse firmware is newer",
   updater_layout::kDlg4Controls, updater_layout::kDlg4Lines},
  {5, "Update_firmware", 20, "Update firmware",
   updater_layout::kDlg5Controls, updater_layout::kDlg5Lines},
  {6, "encountered_problem", 27, "Update problem",
   updater_layout::kDlg6Controls, updater_layout::kDlg6Lines},
  {7, "Update_Completed", 31, "Update completed",
   updater_layout::kDlg7Controls, updater_layout::kDlg7Lines},
  {9, "Successfully_update", 38, "Update successful",
   updater_layout::kDlg9Controls, updater_layout::kDlg9Lines},
  {10, "Firmware_update", 43, "Updating firmware",
   updater_layout::kDlg10Controls, updater_layout::kDlg10Lines},
};
// clang-format on

// The layout of dialog `number`; nullptr for a number no dialog has.
constexpr const UpdaterDialogLayout* updaterDialog(int32_t number) {
  for (const UpdaterDialogLayout& dialog : kUpdaterDialogs)
    if (dialog.number == number) return &dialog;
  return nullptr;
}

}  // namespace velt
