#pragma once

#include <cstdint>
#include <string>

namespace velt {

// The updater's dialogs by the numbers the flow uses. Each outcome ends in one of
// them; 4 and 5 wait for the user's OK.
enum class UpdateDialog : int32_t {
  kFileIncorrect = 1,
  kNotFindDevice = 2,
  kUpToDate = 3,
  kFirmwareNewer = 4,  // the mouse's firmware is newer; the update is still offered
  kUpdateOffered = 5,  // the package is newer
  kEncounterProblem = 6,
  kUpdateCompleted = 7,  // the mouse restarts; shown for the ten-second wait
  kUpdateSuccess = 9,
  kUpdating = 10,
};

// What the flow tells its front-end with a dialog.
struct UpdateStep {
  UpdateDialog dialog = UpdateDialog::kFileIncorrect;
  std::string mouseVersion;    // "0.46"; empty while unknown
  std::string packageVersion;  // "0.47"; empty while unknown
  // Dialogs 1, 2 and 6: what went wrong, one line for the user.
  std::string problem;
  // The firmware package's folder, as given or by default; dialog 1 names it.
  std::string packageFolder;
  // Dialog 6: whether the mouse was left waiting in its bootloader.
  bool mouseInBootloader = false;
};

// How the flow reports to whoever shows it (the window or the terminal). The flow may
// call these from its worker thread; a window must hand them to its UI thread.
// What the front-ends say before the long search for the bootloader.
inline constexpr const char* kBootloaderSearchMessage =
    "Software is trying to find the bootloader device, this may take several minutes";

class UpdateFrontEnd {
 public:
  virtual ~UpdateFrontEnd() = default;
  virtual void showDialog(const UpdateStep& step) = 0;
  // The transfer's progress, 2 after the start up to 100 x (n - 1) / n + 2.
  virtual void showProgress(int32_t value) = 0;
  // The search goes on for up to 100 more seconds: tells the user, and returns once
  // the user has taken note (or the flow is stopping).
  virtual void alertBootloaderSearch() = 0;
};

}  // namespace velt
