#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "device/bootloader.h"
#include "emulator/firmware_version.h"
#include "tests/emulator/raw_mouse.h"

namespace velt {
namespace {

const Bytes kEnterStep = {0x20, 0x06, 0x09, 0x00, 0x00, 0x08};
const Bytes kMarker = {0x5A, 0xA5, 0x22, 0x88};

Bytes control(uint8_t step) {
  return step == 4 ? Bytes{0x20, 0x06, 0x01, 0x04, 0x00, 0x04}
                   : Bytes{0x20, 0x06, 0x09, 0, 0, step};
}

// Parameter report: 21, `first` from byte 1, `last` from byte 5.
Bytes parameter(const Bytes& first, const Bytes& last = {}) {
  Bytes report(9, 0);
  report[0] = 0x21;
  std::copy(first.begin(), first.end(), report.begin() + 1);
  std::copy(last.begin(), last.end(), report.begin() + 5);
  return report;
}

Bytes entryParameter() {
  Bytes report(9, 0x21);
  std::copy(kBootloaderEntryValue.begin(), kBootloaderEntryValue.end(), report.begin() + 1);
  return report;
}

class BootloaderTest : public ::testing::Test {
 protected:
  // Asks the normal-mode mouse to restart into its bootloader.
  int enter(const Bytes& parameterReport) {
    RawMouse normal(*host);
    if (!normal.set(kEnterStep) || normal.status() != 1) return -1;
    return normal.set(parameterReport, 9) ? normal.status() : -1;
  }
  uint16_t productAfterDiscovery() {
    auto devices = host->enumerate();
    return devices && !devices->empty() ? (*devices)[0].productId : 0;
  }
  bool bootloaderAppears() {
    for (int discovery = 0; discovery < 10; ++discovery) {
      if (productAfterDiscovery() == 0x1303) return true;
    }
    return false;
  }
  int step(const Bytes& controlReport, const Bytes& parameterReport) {
    if (!boot.set(controlReport) || boot.status() != 1) return -1;
    return boot.set(parameterReport, 9) ? boot.status() : -1;
  }
  int sendBlock(uint16_t number, const Bytes& data) {
    if (step(control(3), parameter({uint8_t(number), uint8_t(number >> 8)}, kMarker)) != 1) {
      return -1;
    }
    Bytes report = {0x22};
    report.insert(report.end(), data.begin(), data.end());
    return boot.set(control(4)) && boot.status() == 1 && boot.set(report, 1025) ? boot.status()
                                                                                : -1;
  }
  void start() {
    ASSERT_EQ(enter(entryParameter()), 1);
    ASSERT_TRUE(bootloaderAppears());
    ASSERT_EQ(step(control(1), parameter({0, 0, 0, 0}, kMarker)), 1);
    ASSERT_EQ(step(control(2), parameter({0xEC})), 1);
  }

  test::TempFolder dir;
  std::unique_ptr<EmulatedHidHost> host = makeHost(dir.path(), "bl-appear-after=2");
  RawMouse boot{*host, 0x1303};
};

TEST_F(BootloaderTest, RightEntryValueRestartsIntoTheBootloader) {
  RawMouse normal(*host);
  ASSERT_EQ(enter(entryParameter()), 1);
  EXPECT_FALSE(normal.set({3, 0x04})) << "the normal-mode device is gone";
  EXPECT_EQ(productAfterDiscovery(), 0) << "first discovery: still restarting";
  EXPECT_EQ(productAfterDiscovery(), 0x1303);
  EXPECT_EQ(productAfterDiscovery(), 0x1303);
  EXPECT_EQ(boot.command({3, 0x04}), 2) << "the bootloader knows no normal commands";
}

TEST_F(BootloaderTest, WrongEntryValueAnswersTwoAndStaysInNormalMode) {
  Bytes wrong = entryParameter();
  wrong[8] ^= 1;
  EXPECT_EQ(enter(wrong), 2);
  RawMouse normal(*host);
  EXPECT_EQ(normal.command({3, 0x04}), 1);
  EXPECT_EQ(productAfterDiscovery(), 0x1301);
  EXPECT_EQ(productAfterDiscovery(), 0x1301);
  // A parameter report with no enter step before it is refused too.
  ASSERT_TRUE(normal.set(entryParameter(), 9));
  EXPECT_EQ(normal.status(), 2);
  // And one whose enter step a command came between.
  ASSERT_TRUE(normal.set(kEnterStep));
  EXPECT_EQ(normal.status(), 1);
  EXPECT_EQ(normal.command({3, 0x04}), 1);
  ASSERT_TRUE(normal.set(entryParameter(), 9));
  EXPECT_EQ(normal.status(), 2);
  EXPECT_EQ(productAfterDiscovery(), 0x1301);
}

TEST_F(BootloaderTest, StoredFirmwareRunsAfterCompletionWithItsVersion) {
  start();
  Bytes block0(1024, 0xAA);
  Bytes block1(1024, 0x00);
  const std::string marker = "VELTFW";
  std::copy(marker.begin(), marker.end(), block1.begin() + 100);
  block1[106] = 0x2F;  // version 47
  block1[107] = 0x00;
  ASSERT_EQ(sendBlock(1, block1), 1);
  ASSERT_EQ(sendBlock(0, block0), 1);
  ASSERT_TRUE(boot.set(control(5)));
  EXPECT_EQ(boot.status(), 1);
  EXPECT_FALSE(boot.set(control(5))) << "restarting after the status was read";
  EXPECT_EQ(productAfterDiscovery(), 0x1301);

  RawMouse normal(*host);
  EXPECT_EQ(normal.command({3, 0x04}), 1);
  EXPECT_EQ(normal.get(4, 64)[1], 47);
  std::ifstream stored(dir.path() + "firmware.bin", std::ios::binary);
  Bytes image((std::istreambuf_iterator<char>(stored)), std::istreambuf_iterator<char>());
  Bytes expected = block0;
  expected.insert(expected.end(), block1.begin(), block1.end());
  EXPECT_EQ(image, expected);
}

TEST_F(BootloaderTest, FirmwareWithoutVersionKeepsTheOldOne) {
  start();
  ASSERT_EQ(sendBlock(0, Bytes(1024, 0x11)), 1);
  ASSERT_TRUE(boot.set(control(5)));
  EXPECT_EQ(boot.status(), 1);
  EXPECT_EQ(productAfterDiscovery(), 0x1301);
  RawMouse normal(*host);
  EXPECT_EQ(normal.command({3, 0x04}), 1);
  EXPECT_EQ(normal.get(4, 64)[1], 46);
}

TEST_F(BootloaderTest, ResentDataReportIsAccepted) {
  start();
  ASSERT_EQ(sendBlock(0, Bytes(1024, 1)), 1);
  Bytes again = {0x22};
  again.resize(1025, 2);
  ASSERT_TRUE(boot.set(again, 1025));
  EXPECT_EQ(boot.status(), 1);
}

TEST_F(BootloaderTest, StepsOutOfOrderOrMalformedAnswerTwo) {
  ASSERT_EQ(enter(entryParameter()), 1);
  ASSERT_TRUE(bootloaderAppears());
  EXPECT_EQ(boot.command(control(3)), 2) << "block header before start";
  EXPECT_EQ(boot.command(control(2)), 2) << "confirmation before start";
  EXPECT_EQ(boot.command(control(5)), 2) << "completion before start";
  EXPECT_EQ(step(control(1), parameter({0, 0, 0, 0}, {0x5A, 0xA5, 0x22, 0x89})), 2);
  EXPECT_EQ(boot.command({0x20, 0x06, 0x09, 0, 0, 9}), 2) << "unknown step";
  EXPECT_EQ(boot.command({0x20, 0x07, 0x09, 0, 0, 1}), 2) << "wrong control header";
  EXPECT_EQ(step(control(1), parameter({0, 0, 0, 0}, kMarker)), 1);
  EXPECT_EQ(step(control(2), parameter({0xED})), 2);
  EXPECT_EQ(step(control(2), parameter({0xEC})), 1);
  EXPECT_EQ(sendBlock(120, Bytes(1024)), -1) << "beyond the emulated flash";
  EXPECT_EQ(boot.command(control(4)), 2) << "data step after a refused header";
}

TEST(FirmwareVersionTest, FirstCompleteMarkerCounts) {
  auto image = [](std::string text) { return Bytes(text.begin(), text.end()); };
  EXPECT_EQ(findFirmwareVersion(image(std::string("VELTFW\x2e\x00", 8))), 46);
  EXPECT_EQ(findFirmwareVersion(image(std::string("xxVELTFW\x05\x01VELTFW\x01\x00", 18))), 0x105);
  EXPECT_EQ(findFirmwareVersion(image("VELTFW\x2e")), std::nullopt);
  EXPECT_EQ(findFirmwareVersion(image("VELTF")), std::nullopt);
  EXPECT_EQ(findFirmwareVersion({}), std::nullopt);
}

}  // namespace
}  // namespace velt
