#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "config_app/mouse/VeltMouse.h"

namespace velt::test {

// A mouse for page tests: it records each call with its arguments and answers as the
// test scripted it, so that a test sees what a page asks of the mouse and what it makes
// of any answer, with no device, emulated or real, behind it.
class RecordingMouse : public VeltMouse {
 public:
  struct Call {
    std::string name;
    std::vector<int32_t> args;
    friend bool operator==(const Call&, const Call&) = default;
  };

  // The scripted answers.
  bool opens = true;  // open(); isOpen() answers what the last open() did
  bool attached = true;
  std::string noAccess = "no access to the mouse";
  std::optional<std::string> version = "0.46";
  std::optional<uint8_t> currentProfile = 1;
  bool liftOffTaken = true;  // testLiftOff() and saveLiftOff()
  bool analysisStarts = true;
  std::optional<int32_t> level = 5;  // surfaceLevel()
  ApplyOutcome applied = succeeded();

  // Every call in order; apply's argument is the current profile's ID, its profiles are
  // kept in `appliedProfiles`.
  std::vector<Call> calls;
  std::array<const Profile*, 5> appliedProfiles{};
  // The calls' names alone.
  std::vector<std::string> names() const;

  bool isOpen() override;
  bool open() override;
  bool isAttached() override;
  std::string noAccessMessage() override;
  std::optional<std::string> firmwareVersion() override;
  std::optional<uint8_t> pollCurrentProfile() override;
  bool testLiftOff(int32_t distance) override;
  bool saveLiftOff(int32_t distance) override;
  bool startSurfaceAnalysis() override;
  std::optional<int32_t> surfaceLevel() override;
  ApplyOutcome apply(const std::array<const Profile*, 5>& profiles,
                     uint8_t currentProfileID) override;

 private:
  static ApplyOutcome succeeded();
  void record(std::string name, std::vector<int32_t> args = {});

  bool open_ = false;
};

// "name(arg, arg)", for the messages of failed checks.
std::ostream& operator<<(std::ostream& out, const RecordingMouse::Call& call);

}  // namespace velt::test
