#include "emulator/state_text.h"

#include <charconv>
#include <functional>
#include <span>
#include <vector>

namespace velt {
namespace {

constexpr std::string_view kFormatLine = "VELT emulated mouse state 1";

// One numeric field of the file, with the largest value it may take.
struct Field {
  const char* key;
  long max;
  std::function<long()> get;
  std::function<void(long)> set;
};

template <typename T>
Field field(const char* key, T& value, long max) {
  return {key, max, [&value] { return static_cast<long>(value); },
          [&value](long v) { value = static_cast<T>(v); }};
}

std::vector<Field> fieldsOf(MouseState& s) {
  return {
      field("mode", s.mode, 3),
      field("firmware-version", s.firmwareVersion, 0xFFFF),
      field("current-profile", s.currentProfile, kEmulatedProfileSlots - 1),
      field("driver-control", s.driverControl, 0xFF),
      field("tested-lift-distance", s.testedLiftDistance, 0xFF),
      field("saved-lift-distance", s.savedLiftDistance, 0xFF),
      field("surface-analyzed", s.surfaceAnalyzed, 1),
      field("has-following", s.hasFollowing, 1),
      field("named-setting", s.namedSetting, 0xFF),
      field("awaited-setting", s.awaitedSetting, 0xFF),
      field("block", s.block, 3),
      field("block-profile", s.blockProfile, kEmulatedProfileSlots - 1),
      field("block-number", s.blockNumber, 0xFF),
      field("block-image-length", s.blockImageLength, kSlotImageSize),
      field("restart-after-status", s.restartAfterStatus, 1),
      field("discoveries-until-back", s.discoveriesUntilBack, 0x7FFFFFFF),
      field("bootloader-appear-after", s.bootloaderAppearAfter, 0x7FFFFFFF),
      field("pending-step", s.pendingStep, 0xFF),
      field("transfer-started", s.transferStarted, 1),
      field("transfer-confirmed", s.transferConfirmed, 1),
      field("block-announced", s.blockAnnounced, 1),
      field("announced-block", s.announcedBlock, 0xFFFF),
      field("incoming-blocks", s.incomingBlocks, 0xFFFF),
  };
}

std::string hexOf(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(bytes.size() * 2, '0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  return text;
}

// One lowercase hex digit's value, or -1.
int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool bytesOf(std::string_view hex, std::span<uint8_t> bytes) {
  if (hex.size() != bytes.size() * 2) return false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int high = digitValue(hex[2 * i]);
    const int low = digitValue(hex[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return true;
}

bool parseLong(std::string_view text, long max, long& value) {
  auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && stop == text.data() + text.size() && value >= 0 &&
         value <= max;
}

// Splits off the first space-separated word of `text`.
std::string_view nextWord(std::string_view& text) {
  const size_t space = text.find(' ');
  const std::string_view word = text.substr(0, space);
  text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
  return word;
}

bool decodeSlot(std::string_view rest, MouseState& state) {
  long number = 0;
  long length = 0;
  if (!parseLong(nextWord(rest), kEmulatedProfileSlots - 1, number) ||
      !parseLong(nextWord(rest), kSlotImageSize, length)) {
    return false;
  }
  ProfileSlot& slot = state.profileSlots[number];
  slot.length = static_cast<uint16_t>(length);
  return bytesOf(rest, slot.image);
}

bool decodeLine(std::string_view line, MouseState& state) {
  const std::string_view key = nextWord(line);
  if (key == "slot") return decodeSlot(line, state);
  if (key == "reply") return bytesOf(line, state.reply);
  if (key == "following") return bytesOf(line, state.following);
  for (Field& f : fieldsOf(state)) {
    long value = 0;
    if (key != f.key) continue;
    if (!parseLong(line, f.max, value)) return false;
    f.set(value);
    return true;
  }
  return false;
}

}  // namespace

std::string encodeState(const MouseState& state) {
  MouseState copy = state;
  std::string text = std::string(kFormatLine) + "\n";
  for (const Field& f : fieldsOf(copy))
    text += std::string(f.key) + " " + std::to_string(f.get()) + "\n";
  text += "reply " + hexOf(state.reply) + "\nfollowing " + hexOf(state.following) + "\n";
  for (size_t n = 0; n < state.profileSlots.size(); ++n) {
    const ProfileSlot& slot = state.profileSlots[n];
    if (slot.length == 0) continue;
    text += "slot " + std::to_string(n) + " " + std::to_string(slot.length) + " " +
            hexOf(slot.image) + "\n";
  }
  return text;
}

bool decodeState(std::string_view text, MouseState& state, std::string& error) {
  MouseState decoded;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    const bool valid = number == 1 ? line == kFormatLine : decodeLine(line, decoded);
    if (!valid) {
      error = number == 1 ? "not an emulated mouse state file"
                          : "line " + std::to_string(number) + " is not valid";
      return false;
    }
  }
  if (number == 0) {
    error = "the file is empty";
    return false;
  }
  // The firmware indexes a slot's image with the block number of a profile transfer.
  const bool profileBlock =
      decoded.block == BlockTransfer::kProfileWrite || decoded.block == BlockTransfer::kProfileRead;
  if (profileBlock && decoded.blockNumber >= kSlotBlocks) {
    error = "block-number names no block of a profile image";
    return false;
  }
  state = decoded;
  return true;
}

}  // namespace velt
