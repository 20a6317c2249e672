#include "tests/support/recording_mouse.h"

#include <utility>

namespace velt::test {

std::vector<std::string> RecordingMouse::names() const {
  std::vector<std::string> result;
  for (const Call& call : calls) result.push_back(call.name);
  return result;
}

ApplyOutcome RecordingMouse::succeeded() {
  ApplyOutcome outcome;
  outcome.success = true;
  return outcome;
}

void RecordingMouse::record(std::string name, std::vector<int32_t> args) {
  calls.push_back({std::move(name), std::move(args)});
}

bool RecordingMouse::isOpen() {
  record("isOpen");
  return open_;
}

bool RecordingMouse::open() {
  record("open");
  open_ = opens;
  return open_;
}

bool RecordingMouse::isAttached() {
  record("isAttached");
  return attached;
}

std::string RecordingMouse::noAccessMessage() {
  record("noAccessMessage");
  return noAccess;
}

std::optional<std::string> RecordingMouse::firmwareVersion() {
  record("firmwareVersion");
  return version;
}

std::optional<uint8_t> RecordingMouse::pollCurrentProfile() {
  record("pollCurrentProfile");
  return currentProfile;
}

bool RecordingMouse::testLiftOff(int32_t distance) {
  record("testLiftOff", {distance});
  return liftOffTaken;
}

bool RecordingMouse::saveLiftOff(int32_t distance) {
  record("saveLiftOff", {distance});
  return liftOffTaken;
}

bool RecordingMouse::startSurfaceAnalysis() {
  record("startSurfaceAnalysis");
  return analysisStarts;
}

std::optional<int32_t> RecordingMouse::surfaceLevel() {
  record("surfaceLevel");
  return level;
}

ApplyOutcome RecordingMouse::apply(const std::array<const Profile*, 5>& profiles,
                                   uint8_t currentProfileID) {
  record("apply", {currentProfileID});
  appliedProfiles = profiles;
  return applied;
}

std::ostream& operator<<(std::ostream& out, const RecordingMouse::Call& call) {
  out << call.name << "(";
  for (size_t i = 0; i < call.args.size(); ++i) out << (i ? ", " : "") << call.args[i];
  return out << ")";
}

}  // namespace velt::test
