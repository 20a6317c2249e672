#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/profile_apply.h"

namespace velt {

class Profile;

// The one way VELTPLUS reaches the mouse: the main view and its pages call these and
// nothing of device/. The program builds one (`deviceMouse()`) and the main view hands
// it to its pages; page tests may hand in a recording fake instead.
class VeltMouse {
 public:
  virtual ~VeltMouse() = default;

  // Whether a mouse is open now; nothing is tried.
  virtual bool isOpen() = 0;
  // Opens the mouse if none is open; whether one is open afterwards.
  virtual bool open() = 0;
  // Whether a VELT mouse is attached in normal mode, open or not: after an open
  // failed, it tells a mouse this user may not open from no mouse.
  virtual bool isAttached() = 0;
  // What to tell the user about a mouse that is attached but cannot be opened.
  virtual std::string noAccessMessage() = 0;

  // The firmware version as the user reads it ("0.46"), read on the open connection
  // and again on a fresh one, the second reading winning; nullopt without a mouse or a
  // reading.
  virtual std::optional<std::string> firmwareVersion() = 0;
  // The mouse's current profile number; nullopt when another program holds the mouse
  // (the poll skips a beat rather than wait) or the mouse did not answer.
  virtual std::optional<uint8_t> pollCurrentProfile() = 0;
  // Lift-off distance test and save, a distance the mouse does not take clamped into
  // its range; false when the command failed.
  virtual bool testLiftOff(int32_t distance) = 0;
  virtual bool saveLiftOff(int32_t distance) = 0;
  // Starts the surface analysis; false when the mouse did not take the start.
  virtual bool startSurfaceAnalysis() = 0;
  // The finished analysis as a level of 0..10; nullopt when it could not be read.
  virtual std::optional<int32_t> surfaceLevel() = 0;
  // Writes the five profiles and makes `currentProfileID` the current one
  // (`applyProfilesToMouse`).
  virtual ApplyOutcome apply(const std::array<const Profile*, 5>& profiles,
                             uint8_t currentProfileID) = 0;
};

// The mouse over the device layer, one per program.
VeltMouse& deviceMouse();

}  // namespace velt
