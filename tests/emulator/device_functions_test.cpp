#include <gtest/gtest.h>

#include <cstring>

#include "base/clock.h"
#include "device/bootloader.h"
#include "device/commands.h"
#include "device/profile_image.h"
#include "tests/emulator/raw_mouse.h"

namespace velt {
namespace {

// The real device functions against the emulated mouse installed as the HID host.
class DeviceFunctionsTest : public ::testing::Test {
 protected:
  void install(const std::string& faults = "") {
    Close_device();
    setHidHost(makeHost(dir.path(), faults));
  }
  void SetUp() override {
    setClock(std::make_unique<ManualClock>());
    install();
  }
  void TearDown() override {
    Close_device();
    setHidHost(nullptr);
    setClock(nullptr);
  }
  bool openWithin(bool (*open)(), int attempts) {
    for (int i = 0; i < attempts; ++i) {
      if (open()) return true;
    }
    return false;
  }

  test::TempFolder dir;
};

PROFILE_T sampleProfile(uint8_t number) {
  PROFILE_T profile;
  profile.profileNumber = number;
  std::memcpy(profile.name, "Sample", 6);
  profile.imageLength = 2048;
  profile.pollingRate = 2;
  profile.enabled = 1;
  profile.sensor.dpiLevelCount = 3;
  profile.sensor.levels[1] = {1, 2700, 1350};
  profile.sensor.liftDistance = 12;
  profile.logoLed = {10, 20, 30, 1};
  for (BUTTON_T& button : profile.buttons) button = {0, 1, 0, 0, 0x0F};
  profile.buttons[4] = {kMacroButtonType, 0x00, 0, 0, 0x0F};
  profile.macros[4].eventCount = 3;
  for (int i = 0; i < 3; ++i)
    profile.macros[4].events[i] = {1, uint16_t(4 + i), uint8_t(i % 2), 500};
  return profile;
}

Bytes imageOf(PROFILE_T profile) {
  Bytes image(kProfileImageSize, 0);
  Convert_pf_to_buffer(profile, ProfileImage(image.data(), kProfileImageSize));
  return image;
}

// A fresh mouse answers firmware 46 and profile 0.
void expectFreshMouse() {
  uint16_t version = 0;
  EXPECT_EQ(Get_fw_version(version), 1);
  EXPECT_EQ(version, 46);
  uint8_t id = 9;
  EXPECT_EQ(Get_current_profile_id(id), 1);
  EXPECT_EQ(id, 0);
}

TEST_F(DeviceFunctionsTest, VersionAndProfileSwitch) {
  ASSERT_TRUE(Open_device());
  expectFreshMouse();
  uint8_t id = 9;
  EXPECT_EQ(Set_current_profile_id(3), 1);
  EXPECT_EQ(Get_current_profile_id(id), 1);
  EXPECT_EQ(id, 3);
  EXPECT_EQ(Set_driver_control(2), 1);
  EXPECT_FALSE(Open_bl_device()) << "no bootloader device in normal mode";
}

TEST_F(DeviceFunctionsTest, ProfileWrittenReadsBackTheSameImage) {
  ASSERT_TRUE(Open_device());
  PROFILE_T written = sampleProfile(2);
  ASSERT_EQ(Write_profile(2, written), 1);
  PROFILE_T read;
  ASSERT_EQ(Read_profile(2, read), 1);
  EXPECT_EQ(imageOf(read), imageOf(written));
  EXPECT_EQ(read.buttons[4].macroLength, 3);
  EXPECT_EQ(read.macros[4].events[2].key, 6);
  PROFILE_T empty;
  empty.pollingRate = 77;
  EXPECT_EQ(Read_profile(1, empty), 255);
  EXPECT_EQ(empty.pollingRate, 77);
}

TEST_F(DeviceFunctionsTest, FlashBlockHoldsTheProfileAfterOneSecond) {
  ASSERT_TRUE(Open_device());
  PROFILE_T written = sampleProfile(1);
  ASSERT_EQ(Write_profile(1, written), 1);
  std::array<uint8_t, kDataBlockSize> block{};
  const auto before = clock().now();
  ASSERT_EQ(Read_flash_block(2, block), 1);
  EXPECT_EQ(clock().now() - before, std::chrono::seconds(1));
  const Bytes image = imageOf(written);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), image.begin()));
}

TEST_F(DeviceFunctionsTest, SensorCommands) {
  ASSERT_TRUE(Open_device());
  EXPECT_EQ(Test_LOD(6), 1);
  EXPECT_EQ(Save_LOD(31), 1);
  EXPECT_EQ(Start_surface_analyzer(), 1);
  uint8_t value = 0;
  EXPECT_EQ(Get_surface_analyzer_result(value), 1);
  EXPECT_EQ(value, 87);
}

TEST_F(DeviceFunctionsTest, NineBusyAnswersPassTenFail) {
  install("busy=9");
  ASSERT_TRUE(Open_device());
  uint16_t version = 0;
  EXPECT_EQ(Get_fw_version(version), 1);
  EXPECT_EQ(version, 46);
  install("busy=10");
  ASSERT_TRUE(Open_device());
  EXPECT_EQ(Get_fw_version(version), 3);
}

TEST_F(DeviceFunctionsTest, SwitchGivenUpOnABusyMouseLeavesTheNextCommandACommand) {
  install("busy=10");
  ASSERT_TRUE(Open_device());
  EXPECT_EQ(Set_current_profile_id(1), 3);
  install();
  ASSERT_TRUE(Open_device());
  expectFreshMouse();
}

TEST_F(DeviceFunctionsTest, FirmwareUpdateThroughTheBootloader) {
  install("bl-appear-after=3");
  ASSERT_TRUE(Open_device());
  ASSERT_EQ(Send_bl_request(), 1);
  Close_device();
  EXPECT_FALSE(Open_device());
  ASSERT_TRUE(openWithin(&Open_bl_device, 5));

  // Three blocks, the version marker in the last one, which is short.
  Bytes firmware(2048 + 10, 0x5C);
  const char marker[] = "VELTFW\x30\x00";
  std::memcpy(firmware.data() + 2048, marker, 8);
  ASSERT_EQ(Send_bl_start(0), 1);
  for (size_t b = 0; b * kDataBlockSize < firmware.size(); ++b) {
    std::array<uint8_t, kDataBlockSize> block{};
    const size_t size = std::min(kDataBlockSize, firmware.size() - b * kDataBlockSize);
    std::copy_n(firmware.begin() + b * kDataBlockSize, size, block.begin());
    ASSERT_EQ(Send_fw_block(uint32_t(b), block), 1) << "block " << b;
  }
  ASSERT_EQ(Send_bl_complete(), 1);
  Close_device();
  ASSERT_TRUE(openWithin(&Open_device, 5));
  uint16_t version = 0;
  EXPECT_EQ(Get_fw_version(version), 1);
  EXPECT_EQ(version, 48);
}

TEST_F(DeviceFunctionsTest, UnpluggedMouseFailsThenIsNotFound) {
  install("unplug-after=4");
  ASSERT_TRUE(Open_device());
  uint16_t version = 0;
  EXPECT_EQ(Get_fw_version(version), 1);  // set, status, version read: 3 transfers
  uint8_t id = 0;
  EXPECT_EQ(Get_current_profile_id(id), 3);
  Close_device();
  EXPECT_FALSE(Open_device());
}

}  // namespace
}  // namespace velt
