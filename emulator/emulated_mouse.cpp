#include "emulator/emulated_mouse.h"

#include <cstdlib>

#include "emulator/emulated_hid_host.h"

namespace velt {

bool installEmulatedMouse(const std::string& dir, std::string& error) {
  FaultList faults;
  const char* list = std::getenv(kFaultsVariable);
  if (list && !parseFaultList(list, faults, error)) return false;
  std::unique_ptr<StateDir> state = StateDir::open(dir, error);
  if (!state) return false;
  setHidHost(std::make_unique<EmulatedHidHost>(std::move(state), std::move(faults)));
  return true;
}

}  // namespace velt
