#include "model/profile_apply.h"

#include <memory>
#include <vector>

#include "base/log.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "device/mouse_lock.h"
#include "device/profile_image.h"
#include "model/Profile.h"

namespace velt {
namespace {

ApplyOutcome mouseNotFound() {
  logLine(kMouseNotFoundMessage);
  return {false, kMouseNotFoundMessage, {}, ApplyFailure::kMouseNotFound};
}

// A mouse that was unplugged and plugged in again still looks open; one command shows
// whether it answers.
bool mouseAnswers() {
  uint8_t id = 0;
  if (Get_current_profile_id(id) == kResultSuccess) return true;
  Close_device();
  return IsMakesureOpen();
}

}  // namespace

std::string macroEventsOverflow(const Profile& profile) {
  auto record = std::make_unique<PROFILE_T>();  // 20 KB: kept off the stack
  profile.toPROFILE_T(*record);
  int macros = 0;
  for (const MACRO_T& m : record->macros) macros += m.eventCount > 0;
  const int events = macroEventTotal(*record);
  if (events <= kMaxProfileMacroEvents) return "";
  return std::to_string(macros) + (macros == 1 ? " macro" : " macros") + " with " +
         std::to_string(events) + " events, the mouse takes " +
         std::to_string(kMaxProfileMacroEvents);
}

ApplyOutcome applyProfilesToMouse(const std::array<const Profile*, 5>& profiles,
                                  uint8_t currentProfileID) {
  // No other program or thread may talk to the mouse between the five images and the
  // profile selection.
  const MouseLock mouse;
  if (!IsMakesureOpen()) return mouseNotFound();
  std::vector<PROFILE_T> images(profiles.size());  // 20 KB each: kept off the stack
  for (size_t i = 0; i < images.size(); ++i) profiles[i]->toPROFILE_T(images[i]);
  if (!mouseAnswers()) return mouseNotFound();

  ApplyOutcome outcome;
  bool written = true;
  for (size_t i = 0; i < images.size(); ++i) {
    outcome.writeResults[i] = Write_profile(images[i].profileNumber, images[i]);
    if (outcome.writeResults[i] != kResultSuccess) {
      logf("Write_profile %d failed: %d", images[i].profileNumber, outcome.writeResults[i]);
      written = false;
    }
  }
  if (Set_current_profile_id(currentProfileID) != kResultSuccess) {
    outcome.failure = ApplyFailure::kSetCurrentProfile;
    outcome.message = kSetCurrentProfileErrorMessage;
  } else if (!written) {
    outcome.failure = ApplyFailure::kWriteProfile;
    outcome.message = kWriteProfileErrorMessage;
  }
  outcome.success = outcome.failure == ApplyFailure::kNone;
  if (!outcome.success) logLine(outcome.message);
  return outcome;
}

}  // namespace velt
