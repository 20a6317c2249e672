#include "emulator/mouse_firmware.h"

#include <algorithm>
#include <utility>

#include "device/hid_device.h"
#include "emulator/mouse_modes.h"

namespace velt {
namespace {

// The mouse restarts into its other mode; whatever was in progress is lost.
void restart(MouseState& state) {
  const bool toBootloader = state.mode == MouseMode::kNormal;
  answer(state, kStatusOk);
  state.namedSetting = state.awaitedSetting = 0;
  state.block = BlockTransfer::kNone;
  state.pendingStep = 0;
  state.transferStarted = state.transferConfirmed = state.blockAnnounced = false;
  state.restartAfterStatus = false;
  state.mode = toBootloader ? MouseMode::kEnteringBootloader : MouseMode::kLeavingBootloader;
  state.discoveriesUntilBack = toBootloader ? state.bootloaderAppearAfter : 1;
}

// Report 3 read: byte 1 the status of the last command. Once a success was read, a
// reply that follows it (the current profile) takes its place, a named setting
// awaits its value, and a restart that waited for the status happens.
void readStatus(MouseState& state, uint8_t* data, size_t& length) {
  std::copy(state.reply.begin(), state.reply.end(), data);
  length = kReport3Size;
  if (state.reply[1] != kStatusOk) return;
  if (state.namedSetting != 0) state.awaitedSetting = std::exchange(state.namedSetting, 0);
  if (state.hasFollowing) {
    state.reply = state.following;
    state.hasFollowing = false;
  }
  if (state.restartAfterStatus) restart(state);
}

}  // namespace

void answer(MouseState& state, uint8_t status) {
  state.reply = {3, status};
  state.hasFollowing = false;
  state.namedSetting = 0;
}

uint16_t presentProduct(const MouseState& state) {
  switch (state.mode) {
    case MouseMode::kNormal:
      return kNormalProductId;
    case MouseMode::kBootloader:
      return kBootloaderProductId;
    default:
      return 0;
  }
}

void passDiscovery(MouseState& state) {
  if (state.restartAfterStatus) restart(state);
  if (presentProduct(state) != 0 || --state.discoveriesUntilBack > 0) return;
  state.mode =
      state.mode == MouseMode::kEnteringBootloader ? MouseMode::kBootloader : MouseMode::kNormal;
}

SetOutcome mouseSetReport(MouseContext& context, uint16_t productId,
                          std::span<const uint8_t> report) {
  if (report.empty() || presentProduct(context.state) != productId) return {};
  return productId == kNormalProductId ? normalSetReport(context, report)
                                       : bootloaderSetReport(context, report);
}

bool mouseGetReport(MouseContext& context, uint16_t productId, uint8_t* data, size_t& length) {
  MouseState& state = context.state;
  if (length == 0 || presentProduct(state) != productId) return false;
  if (data[0] == 3 && length >= kReport3Size) {
    readStatus(state, data, length);
    return true;
  }
  return productId == kNormalProductId && normalGetReport(state, data, length);
}

}  // namespace velt
