#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "emulator/fault_list.h"
#include "emulator/firmware_store.h"
#include "emulator/mouse_state.h"

// The emulated mouse's firmware: what it does with each feature report, in normal
// and in bootloader mode. It acts on the shared state of one transfer.

namespace velt {

struct MouseContext {
  MouseState& state;
  const FaultList& faults;
  FirmwareStore& store;
};

struct SetOutcome {
  bool delivered = false;         // false: the transfer itself fails
  bool handshakeFollows = false;  // the host polls the status of this report next
};

// The product ID the mouse shows on the bus, or 0 while it restarts.
uint16_t presentProduct(const MouseState& state);

// One discovery by any program: the time a restarting mouse needs is counted in them.
void passDiscovery(MouseState& state);

// A set or get report to the mouse opened as `productId`; a mouse that no longer
// shows as that product fails every transfer.
SetOutcome mouseSetReport(MouseContext& context, uint16_t productId,
                          std::span<const uint8_t> report);
bool mouseGetReport(MouseContext& context, uint16_t productId, uint8_t* data, size_t& length);

}  // namespace velt
