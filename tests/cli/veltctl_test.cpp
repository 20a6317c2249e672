#include <gtest/gtest.h>

#include <cstring>

#include "base/clock.h"
#include "device/bootloader.h"
#include "device/hid_device.h"
#include "device/profile_image.h"
#include "device/wire_log.h"
#include "emulator/emulated_mouse.h"
#include "tests/cli/veltctl_run.h"
#include "tests/emulator/raw_mouse.h"
#include "tests/support/scripted_host.h"

namespace velt {
namespace {

std::string wire(const char* direction, Bytes bytes, size_t length) {
  bytes.resize(length, 0);
  return wireLogLine(direction, true, bytes.data(), bytes.size());
}

class VeltctlTest : public ::testing::Test {
 protected:
  VeltctlRun veltctl(std::vector<std::string> args) {
    args.insert(args.begin(), {"--emulate", folder.mouse()});
    return runInProcess(args);
  }
  MouseFolder folder;
};

TEST_F(VeltctlTest, InfoOnAFreshMouseSendsExactlyTheTwoCommands) {
  const std::string log = folder.path() + "wire.log";
  VeltctlRun run;
  {
    test::ScopedEnv wireLog("VELT_WIRE_LOG", log);
    run = veltctl({"info"});
  }
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "firmware 0.46\nprofile 0\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(test::readBytes(log), wire("set", {3, 0x04}, 8) + wire("get", {3, 1}, 8) +
                                      wire("get", {4, 0x2E}, 64) + wire("set", {3, 0x03}, 8) +
                                      wire("get", {3, 1}, 8) + wire("get", {3, 0}, 8));
}

TEST_F(VeltctlTest, SwitchChangesTheCurrentProfile) {
  EXPECT_EQ(veltctl({"switch", "4"}).status, 0);
  EXPECT_EQ(storedState(folder.mouse()).currentProfile, 4);
  EXPECT_EQ(veltctl({"info"}).out, "firmware 0.46\nprofile 4\n");
}

TEST_F(VeltctlTest, FaultsThatTheProtocolSurvivesOrReports) {
  struct Case {
    const char* faults;
    int status;
    const char* err;
  } cases[] = {
      {"busy=9", 0, ""},
      {"busy=10", 1,
       "Get_fw_version failed: the mouse did not take or confirm the command (result 3)\n"},
      {"fail-cmd=03", 1,
       "Get_current_profile_id failed: the mouse did not take or confirm the command (result 3)\n"},
      {"drop-get=2", 1,
       "Get_fw_version failed: the mouse did not take or confirm the command (result 3)\n"},  // the
                                                                                              // version
                                                                                              // reply
      {"drop-get=3", 0, ""},  // a lost status read counts as busy
      // A mouse gone partway is no mouse, not a failed step.
      {"unplug-after=3", 3, "Get_current_profile_id: the VELT mouse was lost\n"},
      {"unplug-after=0", 3, "no VELT mouse found\n"},
      {"latency-us=10", 0, ""},
      {"nope", 2, "VELT_EMULATE_FAULTS: unknown fault \"nope\"\n"},
      {"busy=x", 2, "VELT_EMULATE_FAULTS: bad value in \"busy=x\"\n"},
  };
  for (const Case& c : cases) {
    test::ScopedEnv faults("VELT_EMULATE_FAULTS", c.faults);
    VeltctlRun run = veltctl({"info"});
    EXPECT_EQ(run.status, c.status) << c.faults;
    EXPECT_EQ(run.err, c.err) << c.faults;
    EXPECT_EQ(run.out.empty(), c.status != 0) << c.faults;
  }
}

TEST_F(VeltctlTest, UsageErrorsExitTwoWithOneLine) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"bogus"},
      {"--frob", "info"},
      {"switch"},
      {"switch", "5"},
      {"switch", "-1"},
      {"switch", "1x"},
      {"info", "extra"},
      {"devices", "extra"},
      {"lod", "test"},
      {"lod", "spin", "10"},
      {"lod", "save", "ten"},
      {"dump", "1"},
      {"dump", "-o", "file"},
      {"dump", "1", "2", "-o", "file"},
      {"dump", "9", "-o", "file"},
      {"surface", "now"},
  };
  for (const std::vector<std::string>& args : cases) {
    VeltctlRun run = veltctl(args);
    const std::string shown = args.empty() ? "(none)" : args[0];
    EXPECT_EQ(run.status, 2) << shown;
    EXPECT_EQ(run.out, "") << shown;
    ASSERT_FALSE(run.err.empty()) << shown;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  EXPECT_EQ(runInProcess({"--emulate"}).status, 2);
  EXPECT_EQ(storedState(folder.mouse()).currentProfile, 0) << "no usage error reached the mouse";
  EXPECT_NE(veltctl({"lod", "test", "999"}).err.find("D from 6 to 31"), std::string::npos)
      << "the usage line gives the range";
}

TEST_F(VeltctlTest, HelpAndVersion) {
  VeltctlRun version = runInProcess({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "veltctl 0.46\n");
  VeltctlRun help = runInProcess({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* name : {"devices", "info", "switch", "dump", "lod", "surface", "--emulate"}) {
    EXPECT_NE(help.out.find(name), std::string::npos) << name;
  }
}

TEST_F(VeltctlTest, DevicesListsTheEmulatedMouse) {
  VeltctlRun run = veltctl({"devices"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "normal emulated:" + folder.mouse() + "#normal location 0x00100000\n");
}

TEST_F(VeltctlTest, MouseInItsBootloaderIsListedButHasNoInfo) {
  {
    auto host = makeHost(folder.mouse(), "bl-appear-after=1");
    RawMouse mouse(*host);
    ASSERT_TRUE(mouse.set({0x20, 0x06, 0x09, 0x00, 0x00, 0x08}));
    ASSERT_EQ(mouse.status(), 1);
    Bytes entry(9, 0x21);
    std::copy(kBootloaderEntryValue.begin(), kBootloaderEntryValue.end(), entry.begin() + 1);
    ASSERT_TRUE(mouse.set(entry, 9));
    ASSERT_EQ(mouse.status(), 1);
  }
  VeltctlRun devices = veltctl({"devices"});
  EXPECT_EQ(devices.status, 0);
  EXPECT_EQ(devices.out,
            "bootloader emulated:" + folder.mouse() + "#bootloader location 0x00100000\n");
  VeltctlRun info = veltctl({"info"});
  EXPECT_EQ(info.status, 3);
  EXPECT_EQ(info.err, "no VELT mouse found\n");
}

TEST_F(VeltctlTest, LiftOffDistanceIsClampedToSixThroughThirtyOne) {
  struct Case {
    const char* action;
    const char* distance;
    int tested, saved;
  } cases[] = {
      {"test", "1", 6, 0}, {"test", "40", 31, 0}, {"save", "3", 31, 6}, {"save", "18", 31, 18}};
  for (const Case& c : cases) {
    VeltctlRun run = veltctl({"lod", c.action, c.distance});
    EXPECT_EQ(run.status, 0) << run.err;
    const MouseState state = storedState(folder.mouse());
    EXPECT_EQ(state.testedLiftDistance, c.tested) << c.action << " " << c.distance;
    EXPECT_EQ(state.savedLiftDistance, c.saved) << c.action << " " << c.distance;
  }
}

TEST_F(VeltctlTest, SurfaceCountsDownElevenSecondsThenShowsTheLevel) {
  setClock(std::make_unique<ManualClock>());
  const auto before = clock().now();
  VeltctlRun run = veltctl({"surface"});
  const auto waited = clock().now() - before;
  setClock(nullptr);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(waited, std::chrono::seconds(11));
  EXPECT_NE(run.out.find(" 11 10 9 8 7 6 5 4 3 2 1\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("surface value 87, level 8 of 10\n"), std::string::npos) << run.out;
}

TEST_F(VeltctlTest, DumpOfAnEmptyProfileWritesNothing) {
  const std::string file = folder.path() + "p1.bin";
  VeltctlRun run = veltctl({"dump", "1", "-o", file});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "profile 1 is empty\n");
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(VeltctlTest, DumpOfAWrittenProfileWritesItsImage) {
  PROFILE_T profile;
  profile.profileNumber = 2;
  std::memcpy(profile.name, "Office", 6);
  profile.imageLength = 2048;
  profile.enabled = 1;
  profile.sensor.levels[0] = {0, 1600, 1600};
  profile.sensor.liftDistance = 9;
  profile.buttons[1] = {kMacroButtonType, 0xFE, 0, 0, 0x0F};
  profile.macros[1].eventCount = 2;
  std::string error;
  ASSERT_TRUE(installEmulatedMouse(folder.mouse(), error)) << error;
  ASSERT_TRUE(Open_device());
  ASSERT_EQ(Write_profile(2, profile), 1);
  Close_device();
  setHidHost(nullptr);

  const std::string file = folder.path() + "p2.bin";
  VeltctlRun run = veltctl({"dump", "-o", file, "2"});
  EXPECT_EQ(run.status, 0) << run.err;
  Bytes expected(kProfileImageSize, 0);
  Convert_pf_to_buffer(profile, ProfileImage(expected.data(), kProfileImageSize));
  const std::string image = test::readBytes(file);
  EXPECT_EQ(Bytes(image.begin(), image.end()), expected);
  EXPECT_NE(run.out.find("profile 2 \"Office\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("lift-off distance 9"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("dpi 1600x1600"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("03:fe(2 events)"), std::string::npos) << run.out;
}

TEST_F(VeltctlTest, DumpWritesTheImageAsTheMouseHoldsIt) {
  // Bytes that no record field carries, written straight into slot 3.
  Bytes image(kProfileImageSize, 0);
  image[0] = 3;
  image[0x011] = 0x00;
  image[0x012] = 0x08;
  image[0x01F] = 0x5A;
  image[0x0AB] = 0xA5;
  image[0x7FF] = 0x3C;
  {
    auto host = makeHost(folder.mouse());
    RawMouse mouse(*host);
    for (uint8_t b = 0; b < 2; ++b) {
      ASSERT_EQ(mouse.command({3, 0x00, 0x00, 0x08, b, 3}), 1);
      Bytes block = {5};
      block.insert(block.end(), image.begin() + 1024 * b, image.begin() + 1024 * (b + 1));
      ASSERT_TRUE(mouse.set(block, 1025));
      ASSERT_EQ(mouse.status(), 1);
    }
  }
  const std::string file = folder.path() + "p3.bin";
  VeltctlRun run = veltctl({"dump", "3", "-o", file});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string written = test::readBytes(file);
  EXPECT_EQ(Bytes(written.begin(), written.end()), image);
}

TEST_F(VeltctlTest, DumpToAnUnwritableFileIsReported) {
  std::string error;
  ASSERT_TRUE(installEmulatedMouse(folder.mouse(), error));
  PROFILE_T profile;
  ASSERT_TRUE(Open_device());
  ASSERT_EQ(Write_profile(0, profile), 1);
  Close_device();
  setHidHost(nullptr);
  const std::string file = folder.path() + "missing/p0.bin";
  VeltctlRun run = veltctl({"dump", "0", "-o", file});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, file + ": cannot write: No such file or directory\n");
}

TEST(VeltctlScriptedHostTest, AttachedMouseThatCannotBeOpenedIsNotCalledMissing) {
  auto host = std::make_unique<testing::ScriptedHost>();
  std::shared_ptr<testing::ScriptedHost::State> wire = host->state();
  wire->devices = {testing::veltInfo(0x1301, 1, "/dev/hidraw7")};
  wire->unopenable = {"/dev/hidraw7"};
  setHidHost(std::move(host));
  ::testing::internal::CaptureStderr();
  const VeltctlRun run = runInProcess({"info"});
  const std::string fromDeviceLayer = ::testing::internal::GetCapturedStderr();
  setHidHost(nullptr);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "the VELT mouse is attached but cannot be opened\n");
  EXPECT_NE(fromDeviceLayer.find("/dev/hidraw7"), std::string::npos) << fromDeviceLayer;
}

TEST(VeltctlScriptedHostTest, DevicesListsEachMouseOnceInLocationOrder) {
  auto host = std::make_unique<testing::ScriptedHost>();
  std::shared_ptr<testing::ScriptedHost::State> wire = host->state();
  HidDeviceInfo pointerInterface = testing::veltInfo(0x1301, 0x02100000, "/dev/hidraw1");
  pointerInterface.carriesFeatureReports = false;
  HidDeviceInfo otherVendor = testing::veltInfo(0x1301, 0x01000000, "/dev/hidraw0");
  otherVendor.vendorId = 0x046D;
  wire->devices = {pointerInterface, testing::veltInfo(0x1301, 0x02100000, "/dev/hidraw2"),
                   testing::veltInfo(0x1303, 0x01200000, "/dev/hidraw5"), otherVendor};
  setHidHost(std::move(host));
  const VeltctlRun run = runInProcess({"devices"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "bootloader /dev/hidraw5 location 0x01200000\n"
            "normal /dev/hidraw2 location 0x02100000\n");
  wire->devices = {pointerInterface};
  const VeltctlRun none = runInProcess({"devices"});
  setHidHost(nullptr);
  EXPECT_EQ(none.status, 3);
  EXPECT_EQ(none.err, "no VELT mouse found\n");
}

TEST(VeltctlRealHostTest, NoMouseExitsThree) {
  for (const char* command : {"info", "devices", "switch"}) {
    std::vector<std::string> args = {command};
    if (std::string(command) == "switch") args.push_back("1");
    VeltctlRun run = runInProcess(args);
    EXPECT_EQ(run.status, 3) << command;
    EXPECT_NE(run.err.find("no VELT mouse found"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace velt
