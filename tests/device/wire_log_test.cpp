#include "device/wire_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/log.h"
#include "device/hid_device.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_folder.h"

namespace velt::testing {
namespace {

class WireLogTest : public ScriptedDeviceTest {
 protected:
  test::TempFolder folder;
  const std::string path = folder.file("wire.log");
  test::ScopedEnv wireLog{"VELT_WIRE_LOG", path};
};

TEST_F(WireLogTest, EveryTransferIsOneLine) {
  openMouse();
  wire().requireClearedGets = false;  // a failed get logs the buffer as it stood
  script({wantSet({0x03, 0x04, 0, 0, 0, 0, 0, 0}), wantSet({0x03, 0xF1, 0, 0, 0x0A, 0, 0, 0}, -1),
          wantGet(8, {0x03, 0x01, 0xAB, 0, 0, 0, 0, 0x7F}), wantGet(4, {0x04}, -1),
          // a short reply logs what arrived
          wantGet(8, {0x03, 0x03})});

  uint8_t command[8] = {0x03, 0x04};
  EXPECT_TRUE(SetFeature(command, 8));
  uint8_t flash[8] = {0x03, 0xF1, 0, 0, 0x0A};
  EXPECT_FALSE(SetFeature(flash, 8));
  uint8_t status[8] = {0x03};
  size_t length = 8;
  EXPECT_TRUE(GetFeature(status, length));
  uint8_t reply[4] = {0x04, 0xEE, 0x10, 0x00};
  length = 4;
  EXPECT_FALSE(GetFeature(reply, length));
  uint8_t shortStatus[8] = {0x03};
  length = 8;
  EXPECT_TRUE(GetFeature(shortStatus, length));

  EXPECT_EQ(test::readBytes(path),
            "set ok 03 04 00 00 00 00 00 00\n"
            "set fail 03 f1 00 00 0a 00 00 00\n"
            "get ok 03 01 ab 00 00 00 00 7f\n"
            "get fail 04 ee 10 00\n"
            "get ok 03 03\n");
}

TEST_F(WireLogTest, AppendsToWhatTheLogAlreadyHolds) {
  std::ofstream(path) << "set ok 05\n";
  openMouse();
  script({wantSet({0x20, 0x06})});
  uint8_t frame[2] = {0x20, 0x06};
  EXPECT_TRUE(SetFeature(frame, 2));
  EXPECT_EQ(test::readBytes(path), "set ok 05\nset ok 20 06\n");
}

// A log that cannot be written does not fail the transfers, and is reported once.
TEST_F(WireLogTest, UnwritableLogIsReportedOnce) {
  const std::string unwritable = path + ".d/none/wire.log";
  ::setenv("VELT_WIRE_LOG", unwritable.c_str(), 1);
  openMouse();
  std::vector<std::string> lines;
  setLogHook([&](const std::string& line) { lines.push_back(line); });
  script({wantSet({0x03, 0x04}), wantSet({0x03, 0x04})});
  uint8_t frame[2] = {0x03, 0x04};
  EXPECT_TRUE(SetFeature(frame, 2));
  EXPECT_TRUE(SetFeature(frame, 2));
  setLogHook({});
  EXPECT_EQ(lines, std::vector<std::string>{"VELT_WIRE_LOG: cannot write " + unwritable +
                                            ": No such file or directory"});
}

TEST_F(WireLogTest, NothingIsWrittenWithoutTheVariable) {
  ::unsetenv("VELT_WIRE_LOG");
  openMouse();
  script({wantSet({0x03, 0x04})});
  uint8_t frame[2] = {0x03, 0x04};
  EXPECT_TRUE(SetFeature(frame, 2));
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace velt::testing
