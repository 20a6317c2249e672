// The profile image as the mouse sends it, which may be anything. Input: two bytes
// (little-endian) of the stored length the mouse reports, then the image bytes (short
// inputs are padded with zeros). Whatever comes, a record decoded from the image keeps
// every macro within its 128 event slots and inside the image; reading the profile
// from a mouse that answers with this image either fails, leaving the record as it
// was, or gives that record; and re-encoding a decoded record gives an image that
// decodes to the same record.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "base/log.h"
#include "device/hid_device.h"
#include "device/hid_host.h"
#include "device/profile_image.h"
#include "fuzz/fuzz_target.h"

namespace {

using Image = std::array<uint8_t, velt::kProfileImageSize>;

// What the mouse answers: every command succeeds; the report 3 read after the status
// of the first read command carries the stored length; report 5 carries the block
// the last command named.
struct Answers {
  uint16_t storedLength = 0;
  Image image{};
  uint8_t lastCommand[8] = {};
  int reportsSinceCommand = 0;
};

Answers& answers() {
  static Answers a;
  return a;
}

class AnsweringConnection : public velt::HidConnection {
 public:
  int setFeatureReport(const uint8_t* data, size_t length) override {
    Answers& a = answers();
    if (length == 8 && data[0] == 3) {
      std::memcpy(a.lastCommand, data, 8);
      a.reportsSinceCommand = 0;
    }
    return 0;
  }
  int getFeatureReport(uint8_t* data, size_t& length) override {
    Answers& a = answers();
    if (data[0] == 3 && length >= 8) {
      std::memset(data + 1, 0, 7);
      data[1] = 1;  // success
      if (a.reportsSinceCommand++ > 0) {
        data[2] = static_cast<uint8_t>(a.storedLength);
        data[3] = static_cast<uint8_t>(a.storedLength >> 8);
      }
      length = 8;
      return 0;
    }
    if (data[0] == 5 && length >= 1025) {
      const size_t block = std::min<size_t>(a.lastCommand[4], 1);
      std::memcpy(data + 1, a.image.data() + 1024 * block, 1024);
      length = 1025;
      return 0;
    }
    return -1;
  }
  int close() override { return 0; }
};

class AnsweringHost : public velt::HidHost {
 public:
  std::optional<std::vector<velt::HidDeviceInfo>> enumerate() override {
    velt::HidDeviceInfo mouse;
    mouse.vendorId = velt::kVeltVendorId;
    mouse.productId = velt::kNormalProductId;
    mouse.locationId = 0x01100000;
    mouse.path = "answering-mouse";
    return std::vector<velt::HidDeviceInfo>{mouse};
  }
  std::unique_ptr<velt::HidConnection> open(const velt::HidDeviceInfo&, std::string&) override {
    return std::make_unique<AnsweringConnection>();
  }
};

bool openAnsweringMouse() {
  velt::fuzz::silenceLog();
  velt::setHidHost(std::make_unique<AnsweringHost>());
  return velt::Open_device();
}

velt::BUTTON_T& buttonRecord(velt::PROFILE_T& p, int k) {
  return k < velt::kButtonCount ? p.buttons[k] : p.extraButtons[k - velt::kButtonCount];
}

// Every macro of a macro button fits its slots and its events lie inside the image.
void checkMacros(velt::PROFILE_T& p) {
  for (int k = 0; k < velt::kButtonRecordCount; ++k) {
    const velt::BUTTON_T& b = buttonRecord(p, k);
    VELT_FUZZ_CHECK(p.macros[k].eventCount <= velt::kMacroEventSlots);
    if (b.type != velt::kMacroButtonType) continue;
    VELT_FUZZ_CHECK(b.macroLength == p.macros[k].eventCount);
    // An empty macro reads nothing, wherever its offset points.
    if (b.macroLength > 0) {
      VELT_FUZZ_CHECK(size_t{b.macroOffset} + 7 * size_t{b.macroLength} <= velt::kProfileImageSize);
    }
  }
}

// Decoding, re-encoding and decoding again keeps the record: all of it when the
// macros fit the macro area, otherwise a prefix of each macro (the packer cuts what
// does not fit). Only the macro offsets move. A second encoding gives the same bytes.
void checkReencoding(const velt::PROFILE_T& decoded) {
  auto copy = std::make_unique<velt::PROFILE_T>(decoded);
  Image once{};
  velt::Convert_pf_to_buffer(*copy, once);
  auto back = std::make_unique<velt::PROFILE_T>();
  velt::Convert_buffer_to_pf(once, *back);
  checkMacros(*back);

  size_t records = 0;
  auto expected = std::make_unique<velt::PROFILE_T>(decoded);
  for (int k = 0; k < velt::kButtonRecordCount; ++k) {
    velt::BUTTON_T& b = buttonRecord(*expected, k);
    if (b.type != velt::kMacroButtonType) continue;
    records += size_t{b.macroLength} + 1;
    const velt::BUTTON_T& packed = buttonRecord(*back, k);
    VELT_FUZZ_CHECK(packed.macroLength <= b.macroLength);
    b.macroOffset = packed.macroOffset;
    b.macroLength = packed.macroLength;
    velt::MACRO_T& m = expected->macros[k];
    m.eventCount = packed.macroLength;
    std::fill(m.events + packed.macroLength, std::end(m.events), velt::MACRO_EVENT_T{});
  }
  VELT_FUZZ_CHECK(*expected == *back);
  if (800 + 7 * records <= velt::kProfileImageSize) {
    for (int k = 0; k < velt::kButtonRecordCount; ++k) {
      VELT_FUZZ_CHECK(decoded.macros[k].eventCount == back->macros[k].eventCount);
    }
  }
  Image twice{};
  velt::Convert_pf_to_buffer(*back, twice);
  VELT_FUZZ_CHECK(twice == once);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool opened = openAnsweringMouse();
  VELT_FUZZ_CHECK(opened);
  Answers& a = answers();
  a = Answers{};
  if (size >= 2) a.storedLength = static_cast<uint16_t>(data[0] | data[1] << 8);
  if (size > 2) std::copy(data + 2, data + 2 + std::min(size - 2, a.image.size()), a.image.begin());

  // Unpacked directly, without the checks of a read.
  auto direct = std::make_unique<velt::PROFILE_T>();
  velt::Convert_buffer_to_pf(a.image, *direct);
  checkMacros(*direct);
  checkReencoding(*direct);

  // Read from the mouse.
  auto read = std::make_unique<velt::PROFILE_T>();
  read->name[0] = 'x';
  const auto before = std::make_unique<velt::PROFILE_T>(*read);
  Image raw;
  raw.fill(0xEE);
  const velt::DeviceResult result = velt::Read_profile(1, *read, raw);
  if (result != velt::kResultSuccess) {
    VELT_FUZZ_CHECK(result == velt::kResultTransferFailed || result == velt::kResultEmptyProfile);
    VELT_FUZZ_CHECK(*read == *before);
    VELT_FUZZ_CHECK(std::all_of(raw.begin(), raw.end(), [](uint8_t b) { return b == 0xEE; }));
    return 0;
  }
  VELT_FUZZ_CHECK(a.storedLength > 0 && a.storedLength <= velt::kProfileImageSize);
  checkMacros(*read);
  // The image as sent, zero past the blocks the stored length covers.
  Image sent = a.image;
  if (a.storedLength <= 1024) std::fill(sent.begin() + 1024, sent.end(), 0);
  VELT_FUZZ_CHECK(raw == sent);
  auto expected = std::make_unique<velt::PROFILE_T>(*before);
  velt::Convert_buffer_to_pf(sent, *expected);
  VELT_FUZZ_CHECK(*expected == *read);
  checkReencoding(*read);
  return 0;
}
