#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "device/result_codes.h"

namespace velt {

class Profile;

inline constexpr const char* kMouseNotFoundMessage = "not found velt mouse";
inline constexpr const char* kSetCurrentProfileErrorMessage = "Set_current_profile_id Error";
inline constexpr const char* kWriteProfileErrorMessage = "Write_profile Error";

// Why an apply failed; callers choose by it, the message is for the user.
enum class ApplyFailure {
  kNone,
  kMouseNotFound,      // no mouse, or one that does not answer: nothing written
  kSetCurrentProfile,  // the current profile could not be set (writes may have failed too)
  kWriteProfile,       // a profile could not be written (writeResults says which)
};

struct ApplyOutcome {
  bool success = false;
  // The alert to show; empty on success.
  std::string message;
  // Write_profile's result for profiles 1..5; 0 where it was not called.
  std::array<DeviceResult, 5> writeResults{};
  ApplyFailure failure = ApplyFailure::kNone;
};

// Why the mouse cannot take the profile's image: "7 macros with 896 events, the mouse
// takes 164", counted as the image carries them (at most 128 per macro); empty when it
// fits.
std::string macroEventsOverflow(const Profile& profile);

// The device half of an apply: opens the mouse if needed, converts the five profiles,
// checks that the mouse answers (closing and reopening it once when it does not),
// writes the five images in order 1..5, each to the slot it holds, and makes
// `currentProfileID` the mouse's current profile. A profile that cannot be written
// does not stop the others; it makes the outcome "Write_profile Error" unless setting
// the current profile failed as well.
// The whole apply holds the mouse (MouseLock): no other program or thread talks to it
// in between.
ApplyOutcome applyProfilesToMouse(const std::array<const Profile*, 5>& profiles,
                                  uint8_t currentProfileID);

}  // namespace velt
