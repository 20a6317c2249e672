#include <algorithm>
#include <array>
#include <utility>

#include "base/log.h"
#include "emulator/firmware_version.h"
#include "emulator/mouse_modes.h"

namespace velt {
namespace {

// The protocol's values, the emulator's own copies (why: emulator/mouse_state.h).
constexpr uint8_t kStart = 1;
constexpr uint8_t kStartConfirmation = 2;
constexpr uint8_t kBlockHeader = 3;
constexpr uint8_t kBlockData = 4;
constexpr uint8_t kComplete = 5;
constexpr size_t kDataReportSize = 1025;
constexpr std::array<uint8_t, 4> kParameterMarker = {0x5A, 0xA5, 0x22, 0x88};

// Control report: 20 06, the length of the report that follows (9 for a parameter,
// 1025 for data), 00, the step, 00 00.
bool isControl(std::span<const uint8_t> report, uint8_t step) {
  const size_t follows = step == kBlockData ? kDataReportSize : 9;
  const std::array<uint8_t, 8> expected = {
      0x20, 0x06, static_cast<uint8_t>(follows), static_cast<uint8_t>(follows >> 8), 0, step, 0, 0};
  return std::ranges::equal(report, expected);
}

// The steps a control report may start in the state the transfer is in.
bool stepAllowed(const MouseState& state, uint8_t step) {
  switch (step) {
    case kStart:
      return true;
    case kStartConfirmation:
      return state.transferStarted;
    case kBlockHeader:
    case kComplete:
      return state.transferConfirmed;
    case kBlockData:
      return state.blockAnnounced;
    default:
      return false;
  }
}

// Completion: the blocks received become the firmware, and the mouse restarts into
// normal mode once the status was read, running the version the image names.
bool complete(MouseContext& context) {
  MouseState& state = context.state;
  std::optional<std::vector<uint8_t>> image = context.store.storeIncoming(state.incomingBlocks);
  if (!image) return false;
  if (std::optional<uint16_t> version = findFirmwareVersion(*image)) {
    state.firmwareVersion = *version;
  } else {
    logLine("emulated mouse: the firmware image names no version; keeping " +
            std::to_string(state.firmwareVersion));
  }
  state.restartAfterStatus = true;
  return true;
}

bool control(MouseContext& context, std::span<const uint8_t> report) {
  MouseState& state = context.state;
  state.pendingStep = 0;
  const uint8_t step = report[5];
  if (!isControl(report, step) || !stepAllowed(state, step)) return false;
  if (step == kComplete) return complete(context);
  state.pendingStep = step;
  return true;
}

// Parameter report 21 and 8 bytes, by the step before it: start (a 32-bit start
// value, then the marker), confirmation (EC), block header (16-bit block number,
// 00 00, the marker).
bool parameter(MouseContext& context, std::span<const uint8_t> report) {
  MouseState& state = context.state;
  const std::span<const uint8_t> marker = report.subspan(5);
  switch (std::exchange(state.pendingStep, 0)) {
    case kStart:
      if (!std::ranges::equal(marker, kParameterMarker) || !context.store.clearIncoming()) {
        return false;
      }
      state.transferStarted = true;
      state.transferConfirmed = state.blockAnnounced = false;
      state.incomingBlocks = 0;
      return true;
    case kStartConfirmation:
      state.transferConfirmed = report[1] == 0xEC && std::all_of(report.begin() + 2, report.end(),
                                                                 [](uint8_t b) { return b == 0; });
      return state.transferConfirmed;
    case kBlockHeader:
      state.announcedBlock = static_cast<uint16_t>(report[1] | report[2] << 8);
      state.blockAnnounced = report[3] == 0 && report[4] == 0 &&
                             std::ranges::equal(marker, kParameterMarker) &&
                             state.announcedBlock < kMaxFirmwareBlocks;
      return state.blockAnnounced;
    default:
      return false;
  }
}

// Data report 22 and one block after a block-data step. The step stays, so that the
// host may send the same block again when its status was not read.
bool data(MouseContext& context, std::span<const uint8_t> report) {
  MouseState& state = context.state;
  if (state.pendingStep != kBlockData ||
      !context.store.writeIncomingBlock(state.announcedBlock, report.subspan(1))) {
    return false;
  }
  state.incomingBlocks = std::max<uint16_t>(state.incomingBlocks, state.announcedBlock + 1);
  return true;
}

}  // namespace

SetOutcome bootloaderSetReport(MouseContext& context, std::span<const uint8_t> report) {
  bool valid = false;
  const uint8_t id = report[0];
  if (id == 0x20 && report.size() == 8) {
    valid = control(context, report);
  } else if (id == 0x21 && report.size() == 9) {
    valid = parameter(context, report);
  } else if (id == 0x22 && report.size() == kDataReportSize) {
    valid = data(context, report);
  } else if (id != 3 || report.size() != kReport3Size) {
    return {};
  }
  answer(context.state, valid ? kStatusOk : kStatusFailed);
  return {true, true};
}

}  // namespace velt
