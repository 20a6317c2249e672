#include <gtest/gtest.h>

#include "tests/emulator/raw_mouse.h"

namespace velt {
namespace {

class NormalModeTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  std::unique_ptr<EmulatedHidHost> host = makeHost(dir.path());
  RawMouse mouse{*host};
};

// A block image whose bytes all differ from their neighbours' blocks.
Bytes blockReport(uint8_t seed) {
  Bytes report(1025);
  report[0] = 5;
  for (size_t i = 1; i < report.size(); ++i) report[i] = static_cast<uint8_t>(seed + i * 7);
  return report;
}

TEST_F(NormalModeTest, FreshMouseIsOneInterfaceInNormalMode) {
  auto devices = host->enumerate();
  ASSERT_TRUE(devices);
  ASSERT_EQ(devices->size(), 1u);
  EXPECT_EQ((*devices)[0].vendorId, 0x22D4);
  EXPECT_EQ((*devices)[0].productId, 0x1301);
  std::string error;
  EXPECT_TRUE(host->open((*devices)[0], error));
  HidDeviceInfo other = (*devices)[0];
  other.path += "x";
  EXPECT_FALSE(host->open(other, error));
  EXPECT_FALSE(error.empty());
}

TEST_F(NormalModeTest, FirmwareVersionOnReportFour) {
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  Bytes reply = mouse.get(4, 64);
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(reply[1], 0x2E);
  EXPECT_EQ(reply[2], 0x00);
}

TEST_F(NormalModeTest, CurrentProfileFollowsTheStatusAsASecondRead) {
  // Profile 0 must not be mistaken for a status: the status comes first.
  EXPECT_EQ(mouse.command({3, 0x03}), 1);
  EXPECT_EQ(mouse.status(), 0);
  EXPECT_EQ(mouse.command({3, 0x02}), 1);
  EXPECT_EQ(mouse.command({3, 4}), 1);
  EXPECT_EQ(mouse.command({3, 0x03}), 1);
  EXPECT_EQ(mouse.status(), 4);
}

TEST_F(NormalModeTest, ProfileSwitchIsSeenByASecondHostOnTheSameFolder) {
  std::unique_ptr<EmulatedHidHost> second = makeHost(dir.path());
  RawMouse other(*second);
  EXPECT_EQ(mouse.command({3, 0x02}), 1);
  EXPECT_EQ(mouse.command({3, 2}), 1);
  EXPECT_EQ(other.command({3, 0x03}), 1);
  EXPECT_EQ(other.status(), 2);
}

TEST_F(NormalModeTest, TwoFrameSettingsCheckTheirValue) {
  struct Case {
    uint8_t setting, value;
    int status;
  } cases[] = {{0x02, 4, 1}, {0x02, 5, 2}, {0x10, 0, 1}, {0x10, 1, 2}, {0x10, 2, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(mouse.command({3, c.setting}), 1);
    EXPECT_EQ(mouse.command({3, c.value}), c.status) << int(c.setting) << " " << int(c.value);
  }
  EXPECT_EQ(mouse.command({3, 0x03}), 1);
  EXPECT_EQ(mouse.status(), 4) << "a refused value leaves the profile";
}

TEST_F(NormalModeTest, ProfileWrittenInTwoBlocksReadsBack) {
  for (uint8_t b = 0; b < 2; ++b) {
    EXPECT_EQ(mouse.command({3, 0x00, 0x00, 0x08, b, 2}), 1);
    ASSERT_TRUE(mouse.set(blockReport(b), 1025));
    EXPECT_EQ(mouse.status(), 1);
  }
  for (uint8_t b = 0; b < 2; ++b) {
    EXPECT_EQ(mouse.command({3, 0x01, 0, 0, b, 2}), 1);
    Bytes header = mouse.get(3);
    EXPECT_EQ(header[2] | header[3] << 8, 2048);
    EXPECT_EQ(mouse.get(5, 1025), blockReport(b)) << "block " << int(b);
  }
  // The same image through the flash read: profile 2 is flash blocks 4 and 5.
  ASSERT_TRUE(mouse.set({3, 0xF1, 0, 0, 5}));
  EXPECT_EQ(mouse.get(5, 1025), blockReport(1));
}

TEST_F(NormalModeTest, UnwrittenSlotAnswersLengthZero) {
  EXPECT_EQ(mouse.command({3, 0x01, 0, 0, 0, 4}), 1);
  Bytes header = mouse.get(3);
  EXPECT_EQ(header[2], 0);
  EXPECT_EQ(header[3], 0);
}

TEST_F(NormalModeTest, BadFramesAnswerStatusTwo) {
  const Bytes frames[] = {
      {3, 0x00, 0x00, 0x08, 0, 5},  // profile slot 5
      {3, 0x00, 0x00, 0x08, 2, 0},  // block 2 of a 2048-byte image
      {3, 0x00, 0x00, 0x09, 0, 0},  // longer than a slot
      {3, 0x01, 0, 0, 0, 7},        // reading slot 7
      {3, 0x30, 3},                 // no such analyzer sub-command
      {3, 0x31, 1, 5},              // lift-off distance below 6
      {3, 0x31, 2, 32},             // and above 31
      {3, 0x31, 3, 12},             // no such lift-off sub-command
      {3, 0x77},                    // unknown command
      {3, 0x05},
  };
  for (const Bytes& frame : frames) {
    EXPECT_EQ(mouse.command(frame), 2) << "command " << int(frame[1]);
  }
  // A data block that no write announced.
  ASSERT_TRUE(mouse.set(blockReport(0), 1025));
  EXPECT_EQ(mouse.status(), 2);
}

TEST_F(NormalModeTest, BytesOutsideACommandsArgumentsMustBeZero) {
  struct Case {
    Bytes frame;  // accepted as it is; refused with any one byte of `unlisted` set
    std::vector<size_t> unlisted;
  } cases[] = {
      {{3, 0x00, 0x00, 0x08, 0, 1}, {6, 7}}, {{3, 0x01, 0, 0, 0, 1}, {2, 3, 6, 7}},
      {{3, 0x03}, {2, 3, 4, 5, 6, 7}},       {{3, 0x04}, {2, 3, 4, 5, 6, 7}},
      {{3, 0x30, 1}, {3, 4, 5, 6, 7}},       {{3, 0x31, 1, 12}, {4, 5, 6, 7}},
      {{3, 0x02}, {2, 3, 4, 5, 6, 7}},       {{3, 0x10}, {2, 3, 4, 5, 6, 7}},
  };
  for (const Case& c : cases) {
    for (size_t at : c.unlisted) {
      Bytes frame = c.frame;
      frame.resize(8, 0);
      frame[at] = 0x01;
      EXPECT_EQ(mouse.command(frame), 2) << "command " << int(frame[1]) << ", byte " << at;
    }
    EXPECT_EQ(mouse.command(c.frame), 1) << "command " << int(c.frame[1]);
    if (c.frame[1] == 0x02 || c.frame[1] == 0x10) {
      EXPECT_EQ(mouse.command({3, 0}), 1) << "value of " << int(c.frame[1]);
    }
  }
  // The value frame of a setting carries nothing but the value.
  EXPECT_EQ(mouse.command({3, 0x02}), 1);
  EXPECT_EQ(mouse.command({3, 3, 0, 0, 0, 0, 0, 1}), 2);
  EXPECT_EQ(mouse.command({3, 0x03}), 1);
  EXPECT_EQ(mouse.status(), 0) << "a refused value frame leaves the profile";
}

TEST_F(NormalModeTest, SettingAwaitsItsValueOnlyOnceItsSuccessWasRead) {
  // A host that never read the success of 03 02 (it gave up on a busy mouse) sends a
  // command next, which must not be taken for the profile number.
  ASSERT_TRUE(mouse.set({3, 0x02}));
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  EXPECT_EQ(mouse.get(4, 64)[1], 46);
  EXPECT_EQ(mouse.command({3, 0x03}), 1);
  EXPECT_EQ(mouse.status(), 0);
  // A report that never reached the mouse changes nothing; one of another kind that
  // did leaves it waiting for no value.
  EXPECT_EQ(mouse.command({3, 0x02}), 1);
  EXPECT_FALSE(mouse.set({7}));
  EXPECT_EQ(mouse.command({3, 2}), 1);
  EXPECT_EQ(mouse.command({3, 0x02}), 1);
  ASSERT_TRUE(mouse.set(blockReport(0), 1025));
  EXPECT_EQ(mouse.status(), 2);
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  EXPECT_EQ(mouse.command({3, 0x03}), 1);
  EXPECT_EQ(mouse.status(), 2);
}

TEST_F(NormalModeTest, BlockReportAnswersOnlyAnAnnouncedRead) {
  EXPECT_TRUE(mouse.get(5, 1025).empty()) << "nothing announced";
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  EXPECT_TRUE(mouse.get(5, 1025).empty()) << "after another command";
  EXPECT_EQ(mouse.command({3, 0x01, 0, 0, 0, 7}), 2);
  EXPECT_TRUE(mouse.get(5, 1025).empty()) << "after a refused read";
  EXPECT_EQ(mouse.command({3, 0x00, 0x00, 0x08, 0, 1}), 1);
  EXPECT_TRUE(mouse.get(5, 1025).empty()) << "after a write announcement";
  ASSERT_TRUE(mouse.set({3, 0xF1, 0, 0, 3, 1}));
  EXPECT_TRUE(mouse.get(5, 1025).empty()) << "after a malformed flash read";
  ASSERT_TRUE(mouse.set({3, 0xF1, 0, 0, 3}));
  EXPECT_EQ(mouse.get(5, 1025).size(), 1025u);
  EXPECT_EQ(mouse.command({3, 0x01, 0, 0, 1, 1}), 1);
  EXPECT_EQ(mouse.get(5, 1025).size(), 1025u);
}

TEST_F(NormalModeTest, ReportsOfUnknownIdOrLengthFailTheTransfer) {
  EXPECT_FALSE(mouse.set({3, 0x04}, 9));
  EXPECT_FALSE(mouse.set({7, 0x04}, 8));
  EXPECT_FALSE(mouse.set({0x22}, 1025)) << "data report of the bootloader";
  EXPECT_TRUE(mouse.get(6, 64).empty());
  EXPECT_TRUE(mouse.get(5, 64).empty()) << "buffer too short for a block";
}

TEST_F(NormalModeTest, SurfaceResultAfterStartWithoutHandshake) {
  ASSERT_TRUE(mouse.set({3, 0x30, 2}));
  EXPECT_EQ(mouse.get(3)[2], 0) << "no analysis ran yet";
  EXPECT_EQ(mouse.command({3, 0x30, 1}), 1);
  ASSERT_TRUE(mouse.set({3, 0x30, 2}));
  Bytes reply = mouse.get(3);
  EXPECT_EQ(reply[1], 1);
  EXPECT_EQ(reply[2], 87);
}

TEST_F(NormalModeTest, LiftOffSaveIsRemembered) {
  EXPECT_EQ(mouse.command({3, 0x31, 1, 20}), 1);
  EXPECT_EQ(mouse.command({3, 0x31, 2, 31}), 1);
  const MouseState state = storedState(dir.path());
  EXPECT_EQ(state.testedLiftDistance, 20);
  EXPECT_EQ(state.savedLiftDistance, 31);
}

}  // namespace
}  // namespace velt
