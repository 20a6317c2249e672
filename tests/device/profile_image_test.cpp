#include "device/profile_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <random>

#include "tests/support/scripted_host.h"

namespace velt::testing {
namespace {

using Image = std::array<uint8_t, kProfileImageSize>;

// A profile without macro buttons and with a distinct value in every carried field.
std::unique_ptr<PROFILE_T> saneProfile() {
  auto p = std::make_unique<PROFILE_T>();
  p->profileNumber = 2;
  std::memcpy(p->name, "Profile 3", 9);
  p->imageLength = 2048;
  p->pollingRate = 0x03;
  p->enabled = 1;
  p->sensor.dpiStep = 0x11;
  p->sensor.dpiLevelCount = 3;
  p->sensor.refinedMode = 1;
  p->sensor.levels[0] = {1, 0x0A8C, 0x0B90};
  p->sensor.levels[1] = {1, 0x1234, 0x2345};
  p->sensor.levels[2] = {1, 0x3456, 0x4567};
  p->sensor.liftDistance = 0x15;
  for (int k = 0; k < kButtonCount; ++k) {
    p->buttons[k] = {0x00, static_cast<uint8_t>(1 << (k % 5)), 0, 0, 0x0F};
  }
  p->extraButtons[0] = {0x08, 0xF1, 0, 0, 0x0F};
  p->extraButtons[1] = {0x09, 0xF2, 0, 0, 0x0F};
  p->scrollWheelLed = {0x10, 0x20, 0x30, 0x04};
  p->logoLed = {0x11, 0x21, 0x31, 0x04};
  p->dpiButtonsLed = {0x12, 0x22, 0x32, 0x04};
  for (int i = 0; i < 3; ++i) {
    p->dpiIndicatorLeds[i] = {static_cast<uint8_t>(0x40 + i), 0x50, 0x60, 0x04};
  }
  return p;
}

MACRO_EVENT_T event(int i) {
  return {static_cast<uint8_t>(1 + i % 3), static_cast<uint16_t>(0x0104 + i),
          static_cast<uint8_t>(i % 2), static_cast<uint64_t>(0x030201 + i)};
}

void makeMacroButton(PROFILE_T& p, int k, int events) {
  BUTTON_T& b = k < kButtonCount ? p.buttons[k] : p.extraButtons[k - kButtonCount];
  b.type = kMacroButtonType;
  b.code = 0xFE;
  p.macros[k].eventCount = static_cast<uint16_t>(events);
  for (int i = 0; i < events && i < kMacroEventSlots; ++i) p.macros[k].events[i] = event(i);
}

Image imageOf(PROFILE_T& p) {
  Image image{};
  Convert_pf_to_buffer(p, image);
  return image;
}

bool allZero(const Image& image, size_t from, size_t to) {
  return std::all_of(image.begin() + from, image.begin() + to, [](uint8_t b) { return b == 0; });
}

uint16_t le16(const Image& image, size_t at) {
  return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

TEST(ProfileImage, FixedFieldsLandAtTheirOffsets) {
  auto p = saneProfile();
  const Image image = imageOf(*p);
  const struct {
    size_t offset;
    std::vector<uint8_t> bytes;
  } expected[] = {
      {0x000, {2, 'P', 'r', 'o', 'f', 'i', 'l', 'e', ' ', '3', 0, 0, 0, 0, 0, 0, 0}},
      {0x011, {0x00, 0x08, 0, 0, 0x03, 0x01}},
      {0x017, {0x10, 0x20, 0x30, 0x04, 0x11, 0x21, 0x31, 0x04, 0, 0}},
      {0x021, {0x12, 0x22, 0x32, 0x04, 0x40, 0x50, 0x60, 0x04, 0x41, 0x50, 0x60, 0x04}},
      {0x02D, {0x42, 0x50, 0x60, 0x04, 0, 0x11}},
      {0x033, {1, 0x8C, 0x0A, 0x90, 0x0B, 0, 0, 0, 0, 1, 0x34, 0x12, 0x45, 0x23}},
      {0x041, {0, 0, 0, 0, 0, 0x15}},
      {0x051, {1, 0x56, 0x34, 0x67, 0x45, 3, 1}},
      {0x065, {0x00, 0x01, 0, 0, 0, 0, 0x0F, 0x00, 0x02, 0, 0, 0, 0, 0x0F}},
      {0x08F, {0x00, 0x02, 0, 0, 0, 0, 0x0F}},
      {0x096, {0, 0, 0, 0, 0, 0, 0}},
      {0x09D, {0x08, 0xF1, 0, 0, 0, 0, 0x0F, 0x09, 0xF2, 0, 0, 0, 0, 0x0F}},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(hex(Bytes(image.begin() + e.offset, image.begin() + e.offset + e.bytes.size())),
              hex(e.bytes))
        << "at 0x" << std::hex << e.offset;
  }
  EXPECT_TRUE(allZero(image, 0x047, 0x051));
  EXPECT_TRUE(allZero(image, 0x058, 0x065));
}

TEST(ProfileImage, WithoutMacroButtonsEverythingFromSlotsOnIsZero) {
  auto p = saneProfile();
  p->macros[0].eventCount = 3;  // a macro of a button that is not a macro button
  p->macros[0].events[0] = event(0);
  const Image image = imageOf(*p);
  EXPECT_TRUE(allZero(image, 0x0AB, 0x800));
}

TEST(ProfileImage, OneMacroButtonWithThreeEvents) {
  auto p = saneProfile();
  makeMacroButton(*p, 2, 3);
  p->macros[2].events[1].delay = 0x1234567;  // beyond 24 bits
  const Image image = imageOf(*p);
  const size_t slot = 0x065 + 7 * 2;
  EXPECT_EQ(image[slot], kMacroButtonType);
  EXPECT_EQ(le16(image, slot + 2), 800);
  EXPECT_EQ(le16(image, slot + 4), 3);
  EXPECT_EQ(p->buttons[2].macroOffset, 800);
  EXPECT_EQ(p->buttons[2].macroLength, 3);
  EXPECT_EQ(hex(Bytes(image.begin() + 800, image.begin() + 821)),
            "01 04 01 00 01 02 03 "
            "02 05 01 01 67 45 23 "
            "03 06 01 00 03 02 03");
  EXPECT_TRUE(allZero(image, 821, 2048));
}

TEST(ProfileImage, MacroButtonWithoutEventsGetsOnlyATerminator) {
  auto p = saneProfile();
  makeMacroButton(*p, 1, 2);
  makeMacroButton(*p, 4, 0);
  const Image image = imageOf(*p);
  EXPECT_EQ(le16(image, 0x065 + 7 * 1 + 2), 800);
  EXPECT_EQ(le16(image, 0x065 + 7 * 1 + 4), 2);
  EXPECT_EQ(le16(image, 0x065 + 7 * 4 + 2), 821);
  EXPECT_EQ(le16(image, 0x065 + 7 * 4 + 4), 0);
  EXPECT_FALSE(allZero(image, 800, 814));
  EXPECT_TRUE(allZero(image, 814, 2048));
}

TEST(ProfileImage, ExtraRecordsUseSlotsEightAndNine) {
  auto p = saneProfile();
  makeMacroButton(*p, 6, 1);
  makeMacroButton(*p, 7, 1);
  makeMacroButton(*p, 8, 2);
  const Image image = imageOf(*p);
  EXPECT_TRUE(allZero(image, 0x096, 0x09D));
  EXPECT_EQ(le16(image, 0x09D + 2), 814);
  EXPECT_EQ(le16(image, 0x0A4 + 2), 828);
  EXPECT_EQ(le16(image, 0x0A4 + 4), 2);
  EXPECT_EQ(image[0x0A4 + 6], 0x0F);
}

TEST(ProfileImage, OverlongMacroIsPackedWithTheEventsItHolds) {
  auto p = saneProfile();
  makeMacroButton(*p, 0, 128);
  p->macros[0].eventCount = 150;  // more than the record has slots
  makeMacroButton(*p, 1, 128);    // and more than the macro area holds
  const Image image = imageOf(*p);
  EXPECT_EQ(p->buttons[0].macroLength, 128);
  EXPECT_EQ(p->buttons[1].macroOffset, 800 + 129 * 7);
  EXPECT_EQ(p->buttons[1].macroLength, (2048 - (800 + 129 * 7)) / 7 - 1);
  EXPECT_EQ(le16(image, 0x065 + 7 + 4), p->buttons[1].macroLength);
}

TEST(ProfileImage, UnpackingRestoresThePackedRecord) {
  auto p = saneProfile();
  makeMacroButton(*p, 0, 128);
  makeMacroButton(*p, 3, 0);
  makeMacroButton(*p, 8, 36);
  const Image image = imageOf(*p);
  auto back = std::make_unique<PROFILE_T>();
  Convert_buffer_to_pf(image, *back);
  EXPECT_TRUE(*back == *p);
}

TEST(ProfileImage, DelayKeepsItsLowTwentyFourBits) {
  auto p = saneProfile();
  makeMacroButton(*p, 0, 1);
  p->macros[0].events[0].delay = (uint64_t{1} << 24) + 5;
  const Image image = imageOf(*p);
  auto back = std::make_unique<PROFILE_T>();
  Convert_buffer_to_pf(image, *back);
  EXPECT_EQ(back->macros[0].events[0].delay, 5u);
}

TEST(ProfileImage, UnpackingClipsMacrosOutsideTheImage) {
  Image image{};
  const struct {
    uint16_t offset, length, expected;
  } cases[] = {{800, 200, 128}, {2041, 1, 1}, {2042, 1, 0}, {2040, 3, 1}, {0xFFFF, 5, 0}};
  for (const auto& c : cases) {
    image[0x065] = kMacroButtonType;
    image[0x067] = static_cast<uint8_t>(c.offset);
    image[0x068] = static_cast<uint8_t>(c.offset >> 8);
    image[0x069] = static_cast<uint8_t>(c.length);
    image[0x06A] = static_cast<uint8_t>(c.length >> 8);
    auto p = std::make_unique<PROFILE_T>();
    Convert_buffer_to_pf(image, *p);
    EXPECT_EQ(p->macros[0].eventCount, c.expected) << c.offset << "+" << c.length;
    EXPECT_EQ(p->buttons[0].macroLength, c.expected) << c.offset << "+" << c.length;
  }
}

TEST(ProfileImage, UnpackingArbitraryImagesStaysInside) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 2000; ++round) {
    Image image;
    for (uint8_t& b : image) b = static_cast<uint8_t>(byte(random));
    for (int slot = 0; slot < 10; ++slot) {
      if (byte(random) < 128) image[0x065 + 7 * slot] = kMacroButtonType;
    }
    auto p = std::make_unique<PROFILE_T>();
    Convert_buffer_to_pf(image, *p);
    for (int k = 0; k < kButtonRecordCount; ++k) {
      const BUTTON_T& b = k < kButtonCount ? p->buttons[k] : p->extraButtons[k - kButtonCount];
      if (b.type != kMacroButtonType) continue;
      ASSERT_LE(p->macros[k].eventCount, kMacroEventSlots);
      ASSERT_LE(b.macroOffset + 7u * b.macroLength, b.macroLength ? 2048u : 0xFFFFFu);
    }
  }
}

// Transfers: the scripted mouse, one profile slot at a time.
class ProfileTransferTest : public ScriptedDeviceTest {
 protected:
  void SetUp() override {
    ScriptedDeviceTest::SetUp();
    openMouse();
  }

  static Bytes blockReport(const Image& image, size_t b) {
    Bytes report{5};
    report.insert(report.end(), image.begin() + 1024 * b, image.begin() + 1024 * (b + 1));
    return report;
  }

  static Script writeScript(const Image& image, uint8_t n) {
    Script s;
    for (uint8_t b = 0; b < 2; ++b) {
      s = s + Script{wantSet({3, 0, 0, 8, b, n, 0, 0}), statusReply(1),
                     wantSet(blockReport(image, b)), statusReply(1)};
    }
    return s;
  }

  static Script readScript(const Image& image, uint8_t n, uint16_t length) {
    Script s{wantSet({3, 1, 0, 0, 0, n, 0, 0}), statusReply(1),
             wantGet(8, {3, 1, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8)})};
    for (uint8_t b = 0; b * 1024 < length && b < 2; ++b) {
      s = s + Script{wantSet({3, 1, 0, 0, b, n, 0, 0}), statusReply(1),
                     wantGet(1025, blockReport(image, b))};
    }
    return s;
  }
};

TEST_F(ProfileTransferTest, WriteSendsBothBlocks) {
  auto p = saneProfile();
  makeMacroButton(*p, 0, 3);
  auto expectedRecord = std::make_unique<PROFILE_T>(*p);
  const Image image = imageOf(*expectedRecord);
  script(writeScript(image, 2));
  EXPECT_EQ(Write_profile(2, *p), kResultSuccess);
  EXPECT_EQ(p->buttons[0].macroOffset, 800);
}

TEST_F(ProfileTransferTest, WriteStopsAtTheFirstFailure) {
  auto p = saneProfile();
  const Script full = writeScript(imageOf(*p), 2);
  for (size_t failAt = 0; failAt < full.size(); ++failAt) {
    script(failingAt(full, failAt));
    EXPECT_EQ(Write_profile(2, *p), kResultTransferFailed) << "failing step " << failAt;
    EXPECT_TRUE(wire().script.empty()) << "failing step " << failAt;
  }
}

TEST_F(ProfileTransferTest, MacroEventLimitIsCheckedBeforeSending) {
  auto p = saneProfile();
  makeMacroButton(*p, 0, 128);
  makeMacroButton(*p, 5, 36);
  script(writeScript(imageOf(*p), 2));
  EXPECT_EQ(Write_profile(2, *p), kResultSuccess);

  p->macros[9].eventCount = 1;  // counted even though no button packs it
  EXPECT_EQ(Write_profile(2, *p), kResultBadArgument);
  EXPECT_EQ(wire().transfers.size(), 8u);
}

TEST_F(ProfileTransferTest, WriteRefusesABadSlot) {
  auto p = saneProfile();
  EXPECT_EQ(Write_profile(3, *p), kResultBadArgument);
  p->profileNumber = 5;
  EXPECT_EQ(Write_profile(5, *p), kResultBadArgument);
  EXPECT_TRUE(wire().transfers.empty());
}

TEST_F(ProfileTransferTest, ReadReturnsWhatWriteSent) {
  // A stored length of one block reads only block 0, which holds these macros.
  for (uint16_t length : {2048, 1025, 1024}) {
    auto p = saneProfile();
    makeMacroButton(*p, 1, 5);
    makeMacroButton(*p, 7, 2);
    auto copy = std::make_unique<PROFILE_T>(*p);
    wire().transfers.clear();
    script(writeScript(imageOf(*copy), 2));
    ASSERT_EQ(Write_profile(2, *p), kResultSuccess);

    Image sent{};
    size_t block = 0;
    for (const Transfer& t : wire().transfers) {
      if (!t.isSet || t.bytes.size() != 1025) continue;
      std::copy(t.bytes.begin() + 1, t.bytes.end(), sent.begin() + 1024 * block++);
    }
    ASSERT_EQ(block, 2u);
    script(readScript(sent, 2, length));
    auto back = std::make_unique<PROFILE_T>();
    EXPECT_EQ(Read_profile(2, *back), kResultSuccess) << "stored length " << length;
    EXPECT_TRUE(*back == *p) << "stored length " << length;
  }
}

TEST_F(ProfileTransferTest, ReadHandsBackTheImageAsTheMouseSentIt) {
  // Bytes no record field carries come back as they were sent; past a stored length
  // of one block everything is 0.
  auto p = saneProfile();
  Image sent = imageOf(*p);
  sent[0x01F] = 0x5A;
  sent[0x0AB] = 0xA5;
  sent[0x3FF] = 0x11;
  sent[0x7FF] = 0x22;
  for (uint16_t length : {2048, 1024}) {
    Image expected = sent;
    if (length == 1024) std::fill(expected.begin() + 1024, expected.end(), 0);
    script(readScript(sent, 2, length));
    auto back = std::make_unique<PROFILE_T>();
    Image raw;
    raw.fill(0xEE);
    EXPECT_EQ(Read_profile(2, *back, raw), kResultSuccess) << "stored length " << length;
    EXPECT_EQ(hex(Bytes(raw.begin(), raw.end())), hex(Bytes(expected.begin(), expected.end())))
        << "stored length " << length;
  }
}

TEST_F(ProfileTransferTest, EmptyProfileLeavesTheRecordUntouched) {
  auto p = saneProfile();
  const auto before = std::make_unique<PROFILE_T>(*p);
  script({wantSet({3, 1, 0, 0, 0, 0, 0, 0}), statusReply(1), wantGet(8, {3, 1, 0, 0})});
  EXPECT_EQ(Read_profile(0, *p), kResultEmptyProfile);
  EXPECT_TRUE(*p == *before);
}

// Hostile images: each one field of a sound image changed.
struct HostileCase {
  const char* name;
  uint16_t storedLength;
  uint16_t macroOffset;
  uint16_t macroLength;
  DeviceResult result;
};

class HostileImageTest : public ProfileTransferTest,
                         public ::testing::WithParamInterface<HostileCase> {};

void PrintTo(const HostileCase& c, std::ostream* os) {
  *os << c.name;
}

TEST_P(HostileImageTest, RejectsWhatDoesNotFitAndKeepsTheRecord) {
  const HostileCase& c = GetParam();
  auto sound = saneProfile();
  makeMacroButton(*sound, 3, 2);
  Image image = imageOf(*sound);
  const size_t slot = 0x065 + 7 * 3;
  image[slot + 2] = static_cast<uint8_t>(c.macroOffset);
  image[slot + 3] = static_cast<uint8_t>(c.macroOffset >> 8);
  image[slot + 4] = static_cast<uint8_t>(c.macroLength);
  image[slot + 5] = static_cast<uint8_t>(c.macroLength >> 8);
  Script s = readScript(image, 1, c.storedLength);
  if (c.storedLength > 2048) s.resize(3);  // nothing past the length reply
  script(s);

  auto p = saneProfile();
  const auto before = std::make_unique<PROFILE_T>(*p);
  Image raw;
  raw.fill(0xEE);
  EXPECT_EQ(Read_profile(1, *p, raw), c.result);
  if (c.result != kResultSuccess) {
    EXPECT_TRUE(*p == *before);
    EXPECT_TRUE(std::all_of(raw.begin(), raw.end(), [](uint8_t b) { return b == 0xEE; }));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Images, HostileImageTest,
    ::testing::Values(HostileCase{"Sound", 2048, 800, 2, kResultSuccess},
                      HostileCase{"LastEventEndsTheImage", 2048, 2041, 1, kResultSuccess},
                      HostileCase{"Length4096", 4096, 800, 2, kResultTransferFailed},
                      HostileCase{"Length2049", 2049, 800, 2, kResultTransferFailed},
                      HostileCase{"OffsetBeyondImage", 2048, 0x9000, 1, kResultTransferFailed},
                      HostileCase{"OffsetAtImageEnd", 2048, 2048, 0, kResultSuccess},
                      HostileCase{"OneEventPastImage", 2048, 2042, 1, kResultTransferFailed},
                      HostileCase{"MacroLength200", 2048, 800, 200, kResultTransferFailed},
                      HostileCase{"MacroLength129", 2048, 800, 129, kResultTransferFailed},
                      HostileCase{"EventsRunPastImage", 2048, 1800, 40, kResultTransferFailed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileTransferTest, ReadFailuresKeepTheRecord) {
  auto p = saneProfile();
  const Script full = readScript(imageOf(*p), 2, 2048);
  for (size_t failAt = 0; failAt < full.size(); ++failAt) {
    script(failingAt(full, failAt));
    auto target = std::make_unique<PROFILE_T>();
    EXPECT_EQ(Read_profile(2, *target), kResultTransferFailed) << "failing step " << failAt;
    EXPECT_TRUE(*target == PROFILE_T{}) << "failing step " << failAt;
    EXPECT_TRUE(wire().script.empty()) << "failing step " << failAt;
  }
}

}  // namespace
}  // namespace velt::testing
