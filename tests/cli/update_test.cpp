#include <gtest/gtest.h>

#include "base/clock.h"
#include "device/bootloader.h"
#include "tests/cli/veltctl_run.h"
#include "tests/emulator/raw_mouse.h"
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
    const char* answer;
    const char* firmware;
  } cases[] = {{"", "firmware 0.46\n"}, {"n\n", "firmware 0.46\n"}, {"y\n", "firmware 0.47\n"}};
  for (const auto& c : cases) {
    VeltctlRun run = update({}, c.answer);
    EXPECT_EQ(run.status, 0) << c.answer << run.err;
    EXPECT_NE(run.out.find("update the mouse to 0.47? [y/N] "), std::string::npos) << run.out;
    EXPECT_EQ(info().out.find(c.firmware), 0u) << c.answer;
  }
}

TEST_F(UpdateCommandTest, ExitStatusesAndMessages) {
  const std::string badPackage = folder.path() + "/nothing";
  const struct {
    const char* faults;
    std::vector<std::string> args;
    std::string packageFolder;
    int status;
    const char* err;
  } cases[] = {
      {"", {"--yes"}, badPackage, 2, "bad firmware package: cannot read"},
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
  }
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
