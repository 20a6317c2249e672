#include <gtest/gtest.h>

#include "base/clock.h"
#include "device/bootloader.h"
#include "tests/cli/veltctl_run.h"
#include "tests/emulator/raw_mouse.h"
#include "tests/support/scripted_host.h"
#include "updater/demo_package.h"

namespace velt {
namespace {

class UpdateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { setClock(std::make_unique<ManualClock>()); }
  void TearDown() override { setClock(nullptr); }

  VeltctlRun update(std::vector<std::string> args, const std::string& input = "",
                    const std::string& packageFolder = VELT_DEMO_PACKAGE_DIR) {
    args.insert(args.begin(), {"--emulate", folder.mouse(), "update", "--package", packageFolder});
    return runInProcess(args, input);
  }
  VeltctlRun info() { return runInProcess({"--emulate", folder.mouse(), "info"}); }

  MouseFolder folder;
};

TEST_F(UpdateCommandTest, UpdatesOffATerminalWithOneLinePerTenth) {
  VeltctlRun run = update({"--yes"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::string tenths;
  for (int percent = 10; percent <= 100; percent += 10) {
    tenths += "sent " + std::to_string(percent) + "%\n";
  }
  EXPECT_EQ(run.out,
            "mouse firmware 0.46, package firmware 0.47\n"
            "switching the mouse to its bootloader\n" +
                tenths +
                "firmware sent; the mouse restarts\n"
                "updated: the mouse runs firmware 0.47\n");
  EXPECT_EQ(info().out, "firmware 0.47\nprofile 0\n");
  // Again: nothing to do.
  run = update({"--yes"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "mouse firmware 0.47, package firmware 0.47: up to date\n");
}

TEST_F(UpdateCommandTest, OnATerminalTheBarIsRedrawnOnItsLine) {
  const std::string mouse = folder.mouse();
  const char* argv[] = {"veltctl",   "--emulate",           mouse.c_str(), "update",
                        "--package", VELT_DEMO_PACKAGE_DIR, "--yes"};
  std::ostringstream out, err;
  ASSERT_EQ(runVeltctl(7, argv, out, err, nullptr, true), 0) << err.str();
  const std::string text = out.str();
  EXPECT_NE(text.find("\r[" + std::string(40, '.') + "] 2%"), std::string::npos);
  EXPECT_NE(text.find("\r[" + std::string(40, '#') + "] 100%\nfirmware sent"), std::string::npos);
  EXPECT_EQ(text.find("sent 10%"), std::string::npos);
}

TEST_F(UpdateCommandTest, AsksBeforeUpdating) {
  const struct {
    std::string answer;
    const char* firmware;
  } cases[] = {
      {"", "firmware 0.46\n"},
      {"n\n", "firmware 0.46\n"},
      {"y", "firmware 0.46\n"},  // no line end: the input ended before an answer
      {std::string(17, 'y') + "\n", "firmware 0.46\n"},
      {"yes and more text than an answer\n", "firmware 0.46\n"},
      {"y\n", "firmware 0.47\n"},
  };
  for (const auto& c : cases) {
    VeltctlRun run = update({}, c.answer);
    EXPECT_EQ(run.status, 0) << c.answer << run.err;
    EXPECT_NE(run.out.find("update the mouse to 0.47? [y/N] "), std::string::npos) << run.out;
    EXPECT_EQ(info().out.find(c.firmware), 0u) << c.answer;
  }
}

// Input that never ends, as from /dev/zero: the answer is read from a short line only.
class EndlessZeros : public std::streambuf {
 public:
  long taken = 0;

 protected:
  int_type underflow() override {
    setg(&zero_, &zero_, &zero_ + 1);
    ++taken;
    return 0;
  }

 private:
  char zero_ = 0;
};

TEST_F(UpdateCommandTest, EndlessInputIsNoAfterAShortLine) {
  const std::string mouse = folder.mouse();
  const char* argv[] = {"veltctl", "--emulate", mouse.c_str(),
                        "update",  "--package", VELT_DEMO_PACKAGE_DIR};
  EndlessZeros zeros;
  std::istream in(&zeros);
  std::ostringstream out, err;
  EXPECT_EQ(runVeltctl(6, argv, out, err, &in), 0) << err.str();
  EXPECT_LE(zeros.taken, 17);
  EXPECT_NE(out.str().find("? [y/N] \nnot updated\n"), std::string::npos) << out.str();
  EXPECT_EQ(info().out, "firmware 0.46\nprofile 0\n");
}

TEST_F(UpdateCommandTest, AnOlderPackageWithYesSaysSoBeforeItGoesOn) {
  ASSERT_EQ(update({"--yes"}).status, 0);
  const std::string older = folder.path() + "/older";
  std::string error;
  ASSERT_TRUE(writeFirmwarePackage(older, 46, "fw", emulatedFirmwareImage(46, 3000), false, error))
      << error;
  VeltctlRun run = update({"--yes"}, "", older);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("mouse firmware 0.47, package firmware 0.46\n"
                         "the mouse's firmware is newer: installing the package's older 0.46 as "
                         "--yes asks\n"
                         "switching the mouse to its bootloader\n"),
            0u)
      << run.out;
  EXPECT_EQ(info().out, "firmware 0.46\nprofile 0\n");
}

// Exit 0 only when the restarted mouse runs the package's version.
TEST_F(UpdateCommandTest, AnUpdateTheMouseDidNotTakeFails) {
  const struct {
    const char* what;
    std::vector<uint8_t> image;
    const char* err;
  } cases[] = {
      {"no version marker", std::vector<uint8_t>(3000, 0x11),
       "update failed: the firmware was sent, but the mouse restarted running firmware 0.46, "
       "not the package's 0.47\n"},
      {"naming 0.50", emulatedFirmwareImage(50, 3000),
       "update failed: the firmware was sent, but the mouse restarted running firmware 0.50, "
       "not the package's 0.47\n"},
  };
  for (const auto& c : cases) {
    const std::string package = folder.path() + "/" + c.what;
    std::string error;
    ASSERT_TRUE(writeFirmwarePackage(package, 47, "fw", c.image, false, error)) << error;
    VeltctlRun run = update({"--yes"}, "", package);
    EXPECT_EQ(run.status, 1) << c.what;
    EXPECT_EQ(run.err, c.err) << c.what;
    EXPECT_EQ(run.out.find("updated:"), std::string::npos) << run.out;
  }
}

TEST_F(UpdateCommandTest, ExitStatusesAndMessages) {
  const std::string badPackage = folder.path() + "/nothing";
  const std::string emptyFirmware = folder.path() + "/empty";
  const std::string version0 = folder.path() + "/version0";
  std::string error;
  ASSERT_TRUE(writeFirmwarePackage(emptyFirmware, 47, "fw", {}, false, error)) << error;
  ASSERT_TRUE(writeFirmwarePackage(version0, 0, "fw", emulatedFirmwareImage(0, 99), false, error))
      << error;
  const struct {
    const char* faults;
    std::vector<std::string> args;
    std::string packageFolder;
    int status;
    const char* err;
  } cases[] = {
      {"", {"--yes"}, badPackage, 2, "/nothing: there is no package here: no fwconfig.plist"},
      {"unplug-after=0", {"--yes"}, emptyFirmware, 2, "/empty: the firmware file fw.bin is empty"},
      {"unplug-after=0",
       {"--yes"},
       version0,
       2,
       "/version0: \"Version\" 0 in fwconfig.plist is outside 1..65535"},
      {"", {"--frob"}, VELT_DEMO_PACKAGE_DIR, 2, "usage: veltctl update"},
      {"unplug-after=0", {"--yes"}, VELT_DEMO_PACKAGE_DIR, 3, "no VELT mouse found"},
      {"drop-get=2", {"--yes"}, VELT_DEMO_PACKAGE_DIR, 1, "Get_fw_version failed: 3"},
      // Last: the mouse stays on its way to the bootloader.
      {"bl-appear-after=1000",
       {"--yes"},
       VELT_DEMO_PACKAGE_DIR,
       1,
       "update failed: the mouse's bootloader did not appear"},
  };
  for (const auto& c : cases) {
    test::ScopedEnv faults("VELT_EMULATE_FAULTS", c.faults);
    VeltctlRun run = update(c.args, "", c.packageFolder);
    EXPECT_EQ(run.status, c.status) << c.faults;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << c.faults << ": " << run.err;
    EXPECT_NE(run.err.find(c.status == 2 ? "" : "run the updater again"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    if (c.packageFolder != VELT_DEMO_PACKAGE_DIR) {
      EXPECT_EQ(run.err.find("bad firmware package in " + c.packageFolder + ": "), 0u) << run.err;
    }
  }
}

TEST_F(UpdateCommandTest, AnAttachedMouseThatCannotBeOpenedIsNotCalledMissing) {
  auto host = std::make_unique<testing::ScriptedHost>();
  host->state()->devices = {testing::veltInfo(0x1301, 1, "/dev/hidraw7")};
  host->state()->unopenable = {"/dev/hidraw7"};
  setHidHost(std::move(host));
  ::testing::internal::CaptureStderr();
  const VeltctlRun run = runInProcess({"update", "--package", VELT_DEMO_PACKAGE_DIR, "--yes"});
  const std::string fromDeviceLayer = ::testing::internal::GetCapturedStderr();
  setHidHost(nullptr);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err,
            "the VELT mouse is attached but cannot be opened; install the VELT package, or for a "
            "source build the udev rule packaging/70-velt.rules, then plug the mouse in again\n");
  EXPECT_NE(fromDeviceLayer.find("/dev/hidraw7"), std::string::npos) << fromDeviceLayer;
}

TEST_F(UpdateCommandTest, AMouseLeftInItsBootloaderIsUpdatedWithoutAQuestion) {
  // An update cut short: the request went through, the transfer did not.
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
  VeltctlRun run = update({});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("the mouse waits in its bootloader: sending the firmware\n"), 0u)
      << run.out;
  EXPECT_EQ(info().out, "firmware 0.47\nprofile 0\n");
}

}  // namespace
}  // namespace velt
