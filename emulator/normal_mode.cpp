#include <algorithm>
#include <utility>

#include "device/bootloader.h"
#include "emulator/mouse_modes.h"

namespace velt {
namespace {

// The protocol's values, the emulator's own copies (why: emulator/mouse_state.h).
// The surface analyzer's result once an analysis ran: a good surface (level 8).
constexpr uint8_t kSurfaceValue = 87;
constexpr uint8_t kMinLiftDistance = 6;
constexpr uint8_t kMaxLiftDistance = 31;
constexpr size_t kBlockReportSize = 1025;
constexpr size_t kVersionReportSize = 64;
constexpr uint8_t kSelectProfile = 0x02;
constexpr uint8_t kDriverControl = 0x10;

// Bytes 2..7 of a command frame that carry the command's arguments, as a mask (bit i
// for byte i). Every other byte of a frame the mouse accepts is 0.
uint8_t argumentBytes(uint8_t code) {
  switch (code) {
    case 0x00:  // 03 00 LL LL b n 00 00
      return 0b0011'1100;
    case 0x01:  // 03 01 00 00 b n 00 00
      return 0b0011'0000;
    case 0x30:  // 03 30 s 00 ...
      return 0b0000'0100;
    case 0x31:  // 03 31 s d 00 ...
      return 0b0000'1100;
    case 0xF1:  // 03 F1 00 00 b 00 00 00
      return 0b0001'0000;
    default:
      return 0;
  }
}

bool onlyArgumentsSet(std::span<const uint8_t> frame, uint8_t arguments) {
  for (size_t i = 2; i < kReport3Size; ++i) {
    if (frame[i] != 0 && (arguments & 1u << i) == 0) return false;
  }
  return true;
}

// The second frame of a two-frame setting, 03 value 00 00 00 00 00 00.
void applySetting(MouseState& state, std::span<const uint8_t> frame) {
  const uint8_t setting = std::exchange(state.awaitedSetting, 0);
  const uint8_t value = frame[1];
  const bool clean = onlyArgumentsSet(frame, 0);
  bool valid = false;
  if (clean && setting == kSelectProfile && value < kEmulatedProfileSlots) {
    state.currentProfile = value;
    valid = true;
  } else if (clean && setting == kDriverControl && (value == 0 || value == 2)) {
    state.driverControl = value;
    valid = true;
  }
  answer(state, valid ? kStatusOk : kStatusFailed);
}

// 03 00 LL LL b n: block b of a profile image of length L for slot n follows on
// report 5.
bool announceProfileWrite(MouseState& state, std::span<const uint8_t> frame) {
  const uint16_t length = static_cast<uint16_t>(frame[2] | frame[3] << 8);
  const uint8_t block = frame[4];
  if (frame[5] >= kEmulatedProfileSlots || length == 0 || length > kSlotImageSize ||
      block * kFirmwareBlockSize >= length) {
    return false;
  }
  state.block = BlockTransfer::kProfileWrite;
  state.blockNumber = block;
  state.blockProfile = frame[5];
  state.blockImageLength = length;
  return true;
}

// 03 01 00 00 b n: the reply carries slot n's stored length in bytes 2..3, and block
// b of its image waits on report 5.
bool announceProfileRead(MouseState& state, std::span<const uint8_t> frame) {
  if (frame[5] >= kEmulatedProfileSlots || frame[4] * kFirmwareBlockSize >= kSlotImageSize) {
    return false;
  }
  state.block = BlockTransfer::kProfileRead;
  state.blockNumber = frame[4];
  state.blockProfile = frame[5];
  const uint16_t length = state.profileSlots[frame[5]].length;
  state.reply = {3, kStatusOk, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8)};
  return true;
}

bool liftOffDistance(MouseState& state, uint8_t subCommand, uint8_t distance) {
  if (distance < kMinLiftDistance || distance > kMaxLiftDistance) return false;
  if (subCommand == 1) state.testedLiftDistance = distance;
  if (subCommand == 2) state.savedLiftDistance = distance;
  return subCommand == 1 || subCommand == 2;
}

// Surface analyzer 03 30 s: 1 starts an analysis; 2 answers its result in byte 2 at
// once, without a handshake.
bool surfaceAnalyzer(MouseState& state, uint8_t subCommand) {
  if (subCommand == 1) state.surfaceAnalyzed = true;
  if (subCommand == 2) state.reply[2] = state.surfaceAnalyzed ? kSurfaceValue : 0;
  return subCommand == 1 || subCommand == 2;
}

// A command frame on report 3. Returns whether the host polls its status next: the
// surface result and the flash read are answered without a handshake.
bool command(MouseContext& context, std::span<const uint8_t> frame) {
  MouseState& state = context.state;
  if (state.awaitedSetting != 0) {
    applySetting(state, frame);
    return true;
  }
  const uint8_t code = frame[1];
  const bool handshake = code != 0xF1 && !(code == 0x30 && frame[2] == 2);
  answer(state, kStatusOk);
  state.block = BlockTransfer::kNone;
  state.pendingStep = 0;
  bool valid = true;
  const bool refused =
      context.faults.failedCommands.contains(code) || !onlyArgumentsSet(frame, argumentBytes(code));
  switch (refused ? -1 : code) {
    case 0x00:
      valid = announceProfileWrite(state, frame);
      break;
    case 0x01:
      valid = announceProfileRead(state, frame);
      break;
    case kSelectProfile:
    case kDriverControl:
      state.namedSetting = code;
      break;
    case 0x03:
      state.following = {3, state.currentProfile};
      state.hasFollowing = true;
      break;
    case 0x04:  // the version waits on report 4
      break;
    case 0x30:
      valid = surfaceAnalyzer(state, frame[2]);
      break;
    case 0x31:
      valid = liftOffDistance(state, frame[2], frame[3]);
      break;
    case 0xF1:
      state.block = BlockTransfer::kFlashRead;
      state.blockNumber = frame[4];
      break;
    default:
      valid = false;
  }
  if (!valid) answer(state, kStatusFailed);
  return handshake;
}

// Report 5 after a write announcement: the block goes into the slot.
void profileBlock(MouseState& state, std::span<const uint8_t> report) {
  if (state.block != BlockTransfer::kProfileWrite) return answer(state, kStatusFailed);
  ProfileSlot& slot = state.profileSlots[state.blockProfile];
  std::copy(report.begin() + 1, report.end(),
            slot.image.begin() + state.blockNumber * kFirmwareBlockSize);
  slot.length = state.blockImageLength;
  state.block = BlockTransfer::kNone;
  answer(state, kStatusOk);
}

// Control 20 06 09 00 00 08 00 00, then parameter 21 with the entry value: the mouse
// restarts into its bootloader once the status was read.
void enterBootloader(MouseContext& context, std::span<const uint8_t> report) {
  MouseState& state = context.state;
  static constexpr uint8_t kEnterStep[] = {0x20, 0x06, 0x09, 0x00, 0x00, 0x08, 0x00, 0x00};
  bool valid = false;
  if (report[0] == 0x20) {
    valid = std::ranges::equal(report, kEnterStep);
    state.pendingStep = valid ? 8 : 0;
  } else {
    valid = std::exchange(state.pendingStep, 0) == 8 &&
            std::ranges::equal(report.subspan(1), kBootloaderEntryValue);
    state.restartAfterStatus = valid;
    state.bootloaderAppearAfter = context.faults.bootloaderAppearAfter;
  }
  answer(state, valid ? kStatusOk : kStatusFailed);
}

}  // namespace

SetOutcome normalSetReport(MouseContext& context, std::span<const uint8_t> report) {
  const uint8_t id = report[0];
  if (id == 3 && report.size() == kReport3Size) return {true, command(context, report)};
  const bool block = id == 5 && report.size() == kBlockReportSize;
  const bool enter = (id == 0x20 && report.size() == 8) || (id == 0x21 && report.size() == 9);
  if (!block && !enter) return {};
  // Only a command frame carries the value of a two-frame setting.
  context.state.awaitedSetting = 0;
  if (block) {
    profileBlock(context.state, report);
  } else {
    enterBootloader(context, report);
  }
  return {true, true};
}

bool normalGetReport(MouseState& state, uint8_t* data, size_t& length) {
  const uint8_t id = data[0];
  if (id == 4 && length >= kVersionReportSize) {
    std::fill(data + 1, data + kVersionReportSize, 0);
    data[1] = static_cast<uint8_t>(state.firmwareVersion);
    data[2] = static_cast<uint8_t>(state.firmwareVersion >> 8);
    length = kVersionReportSize;
    return true;
  }
  // Report 5 answers only after a command that announced a block to read.
  const bool flash = state.block == BlockTransfer::kFlashRead;
  if (id != 5 || length < kBlockReportSize ||
      (!flash && state.block != BlockTransfer::kProfileRead)) {
    return false;
  }
  std::fill(data + 1, data + kBlockReportSize, 0);
  // Flash blocks 0..9 hold the five profile slots, two blocks each.
  const size_t slot = flash ? state.blockNumber / 2 : state.blockProfile;
  const size_t block = flash ? state.blockNumber % 2 : state.blockNumber;
  if (!flash || slot < kEmulatedProfileSlots) {
    const auto begin = state.profileSlots[slot].image.begin() + block * kFirmwareBlockSize;
    std::copy(begin, begin + kFirmwareBlockSize, data + 1);
  }
  length = kBlockReportSize;
  return true;
}

}  // namespace velt
