#pragma once

// What the benchmarks of the non-GUI layers share: sample data and the emulated mouse
// in a temporary folder.

#include <memory>
#include <string>

#include "base/clock.h"
#include "bench/bench_counters.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "device/hid_host.h"
#include "device/profile_image.h"
#include "emulator/emulated_hid_host.h"
#include "emulator/fault_list.h"
#include "emulator/state_dir.h"
#include "model/MacroData.h"
#include "model/MacroLibrary.h"
#include "model/Profile.h"
#include "tests/support/temp_folder.h"

namespace velt::bench {

using test::TempFolder;

// Binds a macro of `events` alternating presses and releases of keys from 4 on to
// button `index` (0..6).
inline void bindMacro(Profile& profile, int index, int events) {
  const uint32_t id = static_cast<uint32_t>(MacroLibrary::kFirstMacroID + index);
  KeyButton& key = profile.key(index);
  key.setKeyMappingTable(kMacroFunction);
  key.setkeyMacro(id);
  MacroData macro(id, "Macro " + std::to_string(index + 1));
  for (int i = 0; i < events; ++i) macro.addEvent(1, 4 + i % 40, i % 2, 20 + i);
  profile.setButtonMacro(key, &macro);
}

// A profile with every setting away from its default and all seven buttons bound to
// macros of `eventsPerButton` events each.
inline Profile sampleProfile(int eventsPerButton) {
  Profile p;
  p.setProfileName("Bench profile");
  p.setPollingRate(8);
  p.setDoubleClickTime(700);
  p.setScrollSpeed(6);
  p.setIsPointerAcceleration(1);
  p.setPointerAcceleration(3);
  p.setDPIStep(2);
  p.setIsEnableXPSeparate(1);
  p.setDPIXaxis1(800);
  p.setDPIXaxis2(1600);
  p.setDPIXaxis3(3200);
  p.setDPIYaxis1(400);
  p.setDPIYaxis2(1200);
  p.setDPIYaxis3(6400);
  p.setPointerSpeed(12);
  p.setLiftDistance(9);
  p.setLEDEffects(0xF);
  p.setLEDMode(2);
  p.setScrollWheelColor({0.1, 0.2, 0.3, 1.0});
  p.setDpiIndicotorColor({0.4, 0.5, 0.6, 1.0});
  p.setDpiButtonsColor({0.7, 0.8, 0.9, 1.0});
  p.setLogoTypeColor({1.0, 0.5, 0.0, 1.0});
  for (int i = 0; i < Profile::kButtons; ++i) bindMacro(p, i, eventsPerButton);
  return p;
}

// A profile that fills the mouse's image: seven macro buttons sharing the most macro
// events a profile may carry (six of 23 and one of 26 events, 164 in all).
inline Profile fullDeviceProfile() {
  Profile p = sampleProfile(23);
  bindMacro(p, Profile::kButtons - 1, 26);
  return p;
}

// A fresh emulated mouse whose state lives in `dir`, without faults; nullptr (with
// `error` set) when the folder cannot be used.
inline std::unique_ptr<EmulatedHidHost> makeEmulatedHost(const std::string& dir,
                                                         std::string& error) {
  std::unique_ptr<StateDir> state = StateDir::open(dir, error);
  if (!state) return nullptr;
  return std::make_unique<EmulatedHidHost>(std::move(state), FaultList{});
}

// For the life of the object: a manual clock (sleeps cost nothing), an emulated mouse
// in a temporary folder installed as the HID host and opened, as it is after an apply:
// all five slots hold a full profile, so every transfer reads and decodes a whole
// state file. ok() is false, with error(), when any of that failed.
class EmulatedMouse {
 public:
  EmulatedMouse() {
    setClock(std::make_unique<ManualClock>());
    std::unique_ptr<EmulatedHidHost> host = makeEmulatedHost(dir(), error_);
    if (!host) return;
    setHidHost(std::move(host));
    if (!Open_device()) {
      error_ = "the emulated mouse cannot be opened";
      return;
    }
    PROFILE_T record;
    fullDeviceProfile().toPROFILE_T(record);
    for (uint8_t slot = 0; slot < kProfileCount; ++slot) {
      record.profileNumber = slot;
      PROFILE_T written = record;
      if (Write_profile(slot, written) != kResultSuccess) error_ = "a profile was not written";
    }
  }
  ~EmulatedMouse() {
    Close_device();
    setHidHost(nullptr);
    setClock(nullptr);
  }
  EmulatedMouse(const EmulatedMouse&) = delete;
  EmulatedMouse& operator=(const EmulatedMouse&) = delete;

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  std::string dir() const { return folder_.file("mouse"); }

 private:
  TempFolder folder_;
  std::string error_;
};

}  // namespace velt::bench
