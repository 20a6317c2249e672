#include "device/profile_image.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/log.h"
#include "device/commands.h"
#include "device/mouse_lock.h"
#include "device/transfer.h"

namespace velt {
namespace {

constexpr uint8_t kWriteProfileBlock = 0x00;
constexpr uint8_t kReadProfileBlock = 0x01;
constexpr size_t kImageBlocks = kProfileImageSize / kDataBlockSize;
constexpr size_t kButtonSlots = 0x065;
constexpr size_t kRecordSize = 7;  // a button slot, a macro event, a terminator
constexpr size_t kMacroArea = 800;
constexpr uint32_t kDelayMask = 0xFFFFFF;  // the mouse keeps 24 bits of a delay

using ConstImage = std::span<const uint8_t, kProfileImageSize>;

// Field access in both directions, so that one table of offsets serves packing and
// unpacking alike.
struct ImageWriter {
  ProfileImage image;
  void u8(size_t at, uint8_t& v) { image[at] = v; }
  void u16(size_t at, uint16_t& v) {
    image[at] = static_cast<uint8_t>(v);
    image[at + 1] = static_cast<uint8_t>(v >> 8);
  }
  void chars(size_t at, char (&text)[16]) { std::memcpy(&image[at], text, sizeof text); }
};

struct ImageReader {
  ConstImage image;
  void u8(size_t at, uint8_t& v) { v = image[at]; }
  void u16(size_t at, uint16_t& v) { v = static_cast<uint16_t>(image[at] | image[at + 1] << 8); }
  void chars(size_t at, char (&text)[16]) { std::memcpy(text, &image[at], sizeof text); }
};

BUTTON_T& buttonRecord(PROFILE_T& p, int k) {
  return k < kButtonCount ? p.buttons[k] : p.extraButtons[k - kButtonCount];
}

// Slot 7 stays empty: the two extra records go to slots 8 and 9.
size_t buttonSlot(int k) {
  return kButtonSlots + kRecordSize * (k < kButtonCount ? k : k + 1);
}

template <class Io>
void mapLed(Io& io, size_t at, LED_ZONE_T& led) {
  io.u8(at, led.red);
  io.u8(at + 1, led.green);
  io.u8(at + 2, led.blue);
  io.u8(at + 3, led.mode);
}

template <class Io>
void mapDpiLevel(Io& io, size_t at, DPI_LEVEL_T& level) {
  io.u8(at, level.xySeparate);
  io.u16(at + 1, level.x);
  io.u16(at + 3, level.y);
}

// Button slot: type, code, macro offset (2), macro length (2), trailer 0x0F.
template <class Io>
void mapButton(Io& io, size_t at, BUTTON_T& b) {
  io.u8(at, b.type);
  io.u8(at + 1, b.code);
  io.u16(at + 2, b.macroOffset);
  io.u16(at + 4, b.macroLength);
  io.u8(at + 6, b.trailer);
}

// Profile image, 2048 bytes, multi-byte fields little-endian, every byte not listed 0:
//   0x000 profile number        0x001 name (16)            0x011 image length (2)
//   0x013 reserved (2)          0x015 polling rate         0x016 enabled
//   0x017 scroll-wheel LED      0x01B logo LED             0x021 DPI-buttons LED
//   0x025 three DPI-indicator LEDs; each LED zone is R, G, B, mode
//   0x032 DPI step              0x033 DPI level 1          0x03C DPI level 2
//   0x045 lift reserved         0x046 lift-off distance
//   0x047 reserved 1, 2 (2), 3, 4 (2)                      0x04D reserved 2 x 2
//   0x051 DPI level 3           0x056 DPI level count      0x057 refined mode
//   0x065 ten 7-byte button slots: 0..6 the buttons, 7 empty, 8..9 the extra records
//   0x320 macro area (see packMacros)
// A DPI level is flag, X (2), Y (2).
template <class Io>
void mapFixedFields(Io& io, PROFILE_T& p) {
  io.u8(0x000, p.profileNumber);
  io.chars(0x001, p.name);
  io.u16(0x011, p.imageLength);
  io.u16(0x013, p.reserved);
  io.u8(0x015, p.pollingRate);
  io.u8(0x016, p.enabled);
  mapLed(io, 0x017, p.scrollWheelLed);
  mapLed(io, 0x01B, p.logoLed);
  mapLed(io, 0x021, p.dpiButtonsLed);
  for (int i = 0; i < 3; ++i) mapLed(io, 0x025 + 4 * i, p.dpiIndicatorLeds[i]);
  SENSOR_T& s = p.sensor;
  io.u8(0x032, s.dpiStep);
  mapDpiLevel(io, 0x033, s.levels[0]);
  mapDpiLevel(io, 0x03C, s.levels[1]);
  io.u8(0x045, s.liftReserved);
  io.u8(0x046, s.liftDistance);
  io.u8(0x047, s.reserved1);
  io.u16(0x048, s.reserved2);
  io.u8(0x04A, s.reserved3);
  io.u16(0x04B, s.reserved4);
  for (int i = 0; i < 4; ++i) io.u8(0x04D + i, s.reserved5[i / 2][i % 2]);
  mapDpiLevel(io, 0x051, s.levels[2]);
  io.u8(0x056, s.dpiLevelCount);
  io.u8(0x057, s.refinedMode);
  for (int k = 0; k < kButtonRecordCount; ++k) mapButton(io, buttonSlot(k), buttonRecord(p, k));
}

// How many of `length` event records starting at `offset` lie wholly inside the
// image, at most the 128 a MACRO_T holds.
size_t eventsInImage(size_t offset, size_t length) {
  if (offset >= kProfileImageSize) return 0;
  return std::min(
      {length, static_cast<size_t>(kMacroEventSlots), (kProfileImageSize - offset) / kRecordSize});
}

// Macro area from byte 800: for each macro button (type 3) in record order, its
// events as 7-byte records, then a 7-byte zero terminator. Event record: type,
// key (2), state, delay bits 0..23 (3).
void packMacros(PROFILE_T& p, ProfileImage image) {
  size_t at = kMacroArea;
  for (int k = 0; k < kButtonRecordCount; ++k) {
    BUTTON_T& button = buttonRecord(p, k);
    if (button.type != kMacroButtonType) continue;
    const MACRO_T& macro = p.macros[k];
    // Room for the events and the terminator; at most 128 events.
    const size_t records = at < kProfileImageSize ? (kProfileImageSize - at) / kRecordSize : 0;
    const size_t count =
        std::min({static_cast<size_t>(macro.eventCount), static_cast<size_t>(kMacroEventSlots),
                  records > 0 ? records - 1 : 0});
    button.macroOffset = static_cast<uint16_t>(at);
    button.macroLength = static_cast<uint16_t>(count);
    for (size_t i = 0; i < count; ++i, at += kRecordSize) {
      const MACRO_EVENT_T& e = macro.events[i];
      const uint32_t delay = static_cast<uint32_t>(e.delay & kDelayMask);
      const uint8_t record[kRecordSize] = {e.eventType,
                                           static_cast<uint8_t>(e.key),
                                           static_cast<uint8_t>(e.key >> 8),
                                           e.state,
                                           static_cast<uint8_t>(delay),
                                           static_cast<uint8_t>(delay >> 8),
                                           static_cast<uint8_t>(delay >> 16)};
      std::copy(std::begin(record), std::end(record), image.begin() + at);
    }
    if (records > 0) at += kRecordSize;
  }
}

void unpackMacro(ConstImage image, BUTTON_T& button, MACRO_T& macro) {
  const size_t count = eventsInImage(button.macroOffset, button.macroLength);
  button.macroLength = static_cast<uint16_t>(count);
  macro.eventCount = static_cast<uint16_t>(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* r = &image[button.macroOffset + kRecordSize * i];
    MACRO_EVENT_T& e = macro.events[i];
    e.eventType = r[0];
    e.key = static_cast<uint16_t>(r[1] | r[2] << 8);
    e.state = r[3];
    e.delay = static_cast<uint64_t>(r[4] | r[5] << 8 | r[6] << 16);
  }
}

// The first macro of an image from the mouse that does not lie wholly inside the
// image, as its button record number; -1 when all fit.
int macroOutsideImage(ConstImage image) {
  ImageReader reader{image};
  for (int k = 0; k < kButtonRecordCount; ++k) {
    BUTTON_T button;
    mapButton(reader, buttonSlot(k), button);
    if (button.type == kMacroButtonType &&
        eventsInImage(button.macroOffset, button.macroLength) != button.macroLength) {
      return k;
    }
  }
  return -1;
}

}  // namespace

int macroEventTotal(const PROFILE_T& profile) {
  int total = 0;
  for (const MACRO_T& m : profile.macros) total += m.eventCount;
  return total;
}

void Convert_pf_to_buffer(PROFILE_T& profile, ProfileImage image) {
  std::fill(image.begin(), image.end(), 0);
  packMacros(profile, image);
  ImageWriter writer{image};
  mapFixedFields(writer, profile);
}

void Convert_buffer_to_pf(ConstImage image, PROFILE_T& profile) {
  ImageReader reader{image};
  mapFixedFields(reader, profile);
  for (int k = 0; k < kButtonRecordCount; ++k) {
    BUTTON_T& button = buttonRecord(profile, k);
    if (button.type == kMacroButtonType) unpackMacro(image, button, profile.macros[k]);
  }
}

// Per block b: 03 00 00 08 b n 00 00 (image length 0x0800 in bytes 2..3), handshake;
// report 5 with image bytes 1024 b .. 1024 b + 1023, handshake.
DeviceResult Write_profile(uint8_t number, PROFILE_T& profile) {
  const MouseLock exchange;
  const uint8_t slot = profile.profileNumber;
  if (slot != number || slot >= kProfileCount) return kResultBadArgument;
  if (macroEventTotal(profile) > kMaxProfileMacroEvents) return kResultBadArgument;
  std::array<uint8_t, kProfileImageSize> image{};
  Convert_pf_to_buffer(profile, image);
  for (uint8_t b = 0; b < kImageBlocks; ++b) {
    const Report data =
        makeReport(kBlockReportId, kBlockReportLength,
                   std::span<const uint8_t>(image).subspan(b * kDataBlockSize, kDataBlockSize));
    if (!sendReport(commandFrame({kWriteProfileBlock, 0x00, 0x08, b, slot})) || !sendReport(data)) {
      return kResultTransferFailed;
    }
  }
  return kResultSuccess;
}

// 03 01 00 00 00 n 00 00, handshake; report 3 carries the stored image length in
// bytes 2..3. Then per block b: 03 01 00 00 b n 00 00, handshake; report 5.
DeviceResult Read_profile(uint8_t number, PROFILE_T& profile) {
  std::array<uint8_t, kProfileImageSize> image{};
  return Read_profile(number, profile, image);
}

DeviceResult Read_profile(uint8_t number, PROFILE_T& profile, ProfileImage raw) {
  const MouseLock exchange;
  if (number >= kProfileCount) return kResultBadArgument;
  if (!sendReport(commandFrame({kReadProfileBlock, 0, 0, 0, number}))) {
    return kResultTransferFailed;
  }
  std::optional<Report> header = readReport(kCommandReportId, kCommandReportLength);
  if (!header) return kResultTransferFailed;
  const size_t length = (*header)[2] | (*header)[3] << 8;
  if (length == 0) return kResultEmptyProfile;
  if (length > kProfileImageSize) {
    logf("profile %u: the mouse reports %zu bytes, more than an image holds", number, length);
    return kResultTransferFailed;
  }
  std::array<uint8_t, kProfileImageSize> image{};
  const size_t blocks = (length + kDataBlockSize - 1) / kDataBlockSize;
  for (uint8_t b = 0; b < blocks; ++b) {
    if (!sendReport(commandFrame({kReadProfileBlock, 0, 0, b, number}))) {
      return kResultTransferFailed;
    }
    std::optional<Report> block = readReport(kBlockReportId, kBlockReportLength);
    if (!block) return kResultTransferFailed;
    std::copy(block->begin() + 1, block->end(), image.begin() + b * kDataBlockSize);
  }
  if (const int k = macroOutsideImage(image); k >= 0) {
    logf("profile %u: the macro of button record %d lies outside the image", number, k);
    return kResultTransferFailed;
  }
  Convert_buffer_to_pf(image, profile);
  std::copy(image.begin(), image.end(), raw.begin());
  return kResultSuccess;
}

}  // namespace velt
