#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/hid_device.h"
#include "tests/support/log_capture.h"
#include "tests/support/scripted_host.h"

namespace velt::testing {
namespace {

class DiscoveryTest : public ScriptedDeviceTest {
 protected:
  test::LogCapture captured;
  std::vector<std::string>& log = captured.lines;
};

HidDeviceInfo otherDevice(uint32_t locationId, std::string path) {
  HidDeviceInfo info = veltInfo(0x1301, locationId, std::move(path));
  info.vendorId = 0x046D;
  return info;
}

HidDeviceInfo secondaryInterface(uint32_t locationId, std::string path) {
  HidDeviceInfo info = veltInfo(0x1301, locationId, std::move(path));
  info.carriesFeatureReports = false;
  return info;
}

struct ChoiceCase {
  const char* name;
  std::vector<HidDeviceInfo> devices;
  std::string opened;  // empty: nothing found
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
  *os << c.name;
}

class DeviceChoiceTest : public DiscoveryTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(DeviceChoiceTest, OpenDeviceTakesTheLowestMatchingLocation) {
  wire().devices = GetParam().devices;
  const bool expectFound = !GetParam().opened.empty();
  EXPECT_EQ(Open_device(), expectFound);
  EXPECT_EQ(IsOpen(), expectFound);
  if (expectFound) {
    EXPECT_EQ(wire().openedPaths, std::vector<std::string>{GetParam().opened});
    EXPECT_EQ(log, std::vector<std::string>{"find device"});
  } else {
    EXPECT_TRUE(wire().openedPaths.empty());
    EXPECT_TRUE(log.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Devices, DeviceChoiceTest,
    ::testing::Values(
        ChoiceCase{"NoDevice", {}, ""},
        ChoiceCase{"OtherVendorOnly", {otherDevice(1, "other")}, ""},
        ChoiceCase{"BootloaderOnly", {veltInfo(0x1303, 1, "bl")}, ""},
        ChoiceCase{"TwoMiceListedHighFirst",
                   {veltInfo(0x1301, 0x02200000, "high"), veltInfo(0x1301, 0x01100000, "low")},
                   "low"},
        ChoiceCase{"TwoMiceListedLowFirst",
                   {veltInfo(0x1301, 0x01100000, "low"), veltInfo(0x1301, 0x02200000, "high")},
                   "low"},
        ChoiceCase{"OtherVendorAtLowerLocation",
                   {otherDevice(1, "other"), veltInfo(0x1301, 5, "mouse")},
                   "mouse"},
        ChoiceCase{"InterfaceWithoutFeatureReportsSkipped",
                   {secondaryInterface(5, "if0"), veltInfo(0x1301, 5, "if1")},
                   "if1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiscoveryTest, BootloaderMouseIsFoundOnlyByOpenBlDevice) {
  wire().devices = {veltInfo(0x1303, 7, "bl")};
  EXPECT_FALSE(Open_device());
  EXPECT_FALSE(IsOpen());
  EXPECT_TRUE(Open_bl_device());
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(wire().openedPaths, std::vector<std::string>{"bl"});
}

TEST_F(DiscoveryTest, UnusableHidSystemIsLoggedAndFindsNothing) {
  wire().enumerateFails = true;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(Open_device());
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(log, std::vector<std::string>{"IOHIDManagerOpen Error"});
  EXPECT_NE(errors.find("HIDBuildDeviceList: Couldn’t open IOHIDManager."), std::string::npos)
      << errors;
}

TEST_F(DiscoveryTest, MouseThatCannotBeOpenedIsReportedOnStderr) {
  wire().devices = {veltInfo(0x1301, 1, "/dev/hidraw9")};
  wire().unopenable = {"/dev/hidraw9"};
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(Open_device());
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(IsOpen());
  EXPECT_NE(errors.find("/dev/hidraw9"), std::string::npos) << errors;
}

TEST_F(DiscoveryTest, IsMakesureOpenWithFilledSlotDoesNotEnumerate) {
  openMouse();
  const int enumerations = wire().enumerateCount;
  wire().devices.clear();  // unplugged meanwhile
  EXPECT_TRUE(IsMakesureOpen());
  EXPECT_EQ(wire().enumerateCount, enumerations);
}

TEST_F(DiscoveryTest, IsMakesureOpenWithEmptySlotOpensTheMouse) {
  wire().devices = {veltInfo(0x1301, 1, "mouse")};
  EXPECT_TRUE(IsMakesureOpen());
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(wire().enumerateCount, 1);
}

TEST_F(DiscoveryTest, CloseDeviceEmptiesTheSlotEvenWhenCloseFails) {
  openMouse();
  wire().closeStatus = -5;
  EXPECT_EQ(Close_device(), -5);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(wire().closeCount, 1);
  uint8_t frame[8] = {3};
  EXPECT_FALSE(SetFeature(frame, sizeof frame));
}

TEST_F(DiscoveryTest, DiscoveryThatFindsNothingEmptiesAFilledSlot) {
  openMouse();
  wire().devices.clear();
  EXPECT_FALSE(Open_device());
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(wire().closeCount, 1);
}

TEST_F(DiscoveryTest, FindDeviceLeavesTheSlotAlone) {
  openMouse();
  wire().devices.push_back(veltInfo(0x1303, 9, "bl"));
  std::optional<HidDevice> found = FindDevice(0x1303);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->info.path, "bl");
  EXPECT_TRUE(found->connection);
  wire().devices.clear();
  EXPECT_FALSE(FindDevice(0x1301));
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(wire().closeCount, 0);
}

TEST_F(DiscoveryTest, FeatureReportsGoToTheDeviceInTheSlot) {
  uint8_t frame[8] = {3, 4};
  size_t length = sizeof frame;
  EXPECT_FALSE(SetFeature(frame, sizeof frame));
  EXPECT_FALSE(GetFeature(frame, length));
  EXPECT_TRUE(wire().transfers.empty());

  openMouse();
  wire().requireClearedGets = false;
  script({wantSet({3, 4, 0, 0, 0, 0, 0, 0}), wantGet(8, {3, 1, 2}),
          wantSet({3, 4, 0, 0, 0, 0, 0, 0}, -1)});
  EXPECT_TRUE(SetFeature(frame, sizeof frame));
  EXPECT_TRUE(GetFeature(frame, length));
  EXPECT_EQ(length, 3u);
  EXPECT_EQ(Bytes(frame, frame + 3), (Bytes{3, 1, 2}));
  frame[1] = 4;
  frame[2] = 0;
  EXPECT_FALSE(SetFeature(frame, sizeof frame));
}

TEST_F(DiscoveryTest, ListsEveryMouseInterfaceInLocationOrder) {
  wire().devices = {veltInfo(0x1301, 9, "normal"), otherDevice(1, "other"),
                    secondaryInterface(9, "normal-if0"), veltInfo(0x1303, 2, "bl"),
                    veltInfo(0x1302, 3, "unknown-product")};
  std::optional<std::vector<HidDeviceInfo>> list = listVeltInterfaces();
  ASSERT_TRUE(list);
  std::vector<std::string> paths;
  for (const HidDeviceInfo& d : *list) paths.push_back(d.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"bl", "normal", "normal-if0"}));
  EXPECT_FALSE(IsOpen());
  EXPECT_TRUE(wire().openedPaths.empty());
}

}  // namespace
}  // namespace velt::testing
