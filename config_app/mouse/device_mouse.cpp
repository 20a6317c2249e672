#include <algorithm>
#include <mutex>

#include "config_app/mouse/VeltMouse.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "device/mouse_lock.h"
#include "device/result_codes.h"
#include "device/surface_level.h"

namespace velt {
namespace {

uint8_t liftDistanceTaken(int32_t distance) {
  return static_cast<uint8_t>(std::clamp(distance, kMinLiftDistance, kMaxLiftDistance));
}

class DeviceMouse : public VeltMouse {
 public:
  bool isOpen() override { return IsOpen(); }
  bool open() override { return IsMakesureOpen(); }
  bool isAttached() override { return isMouseAttached(kNormalProductId); }
  std::string noAccessMessage() override { return kMouseNoAccessMessage; }

  std::optional<std::string> firmwareVersion() override {
    if (!IsMakesureOpen()) return std::nullopt;
    uint16_t version = 0;
    bool read = Get_fw_version(version) == kResultSuccess;
    // Read again on a fresh connection; that reading is the one shown.
    Close_device();
    if (IsMakesureOpen()) read = Get_fw_version(version) == kResultSuccess || read;
    if (!read) return std::nullopt;
    return firmwareVersionText(version);
  }

  std::optional<uint8_t> pollCurrentProfile() override {
    MouseLock mouse(std::try_to_lock);
    if (!mouse.held()) return std::nullopt;
    uint8_t id = 0;
    if (Get_current_profile_id(id) != kResultSuccess) return std::nullopt;
    return id;
  }

  bool testLiftOff(int32_t distance) override {
    return Test_LOD(liftDistanceTaken(distance)) == kResultSuccess;
  }
  bool saveLiftOff(int32_t distance) override {
    return Save_LOD(liftDistanceTaken(distance)) == kResultSuccess;
  }
  bool startSurfaceAnalysis() override { return Start_surface_analyzer() == kResultSuccess; }

  std::optional<int32_t> surfaceLevel() override {
    uint8_t result = 0;
    if (Get_surface_analyzer_result(result) != kResultSuccess) return std::nullopt;
    return velt::surfaceLevel(result);
  }

  ApplyOutcome apply(const std::array<const Profile*, 5>& profiles,
                     uint8_t currentProfileID) override {
    return applyProfilesToMouse(profiles, currentProfileID);
  }
};

}  // namespace

VeltMouse& deviceMouse() {
  static DeviceMouse mouse;
  return mouse;
}

}  // namespace velt
