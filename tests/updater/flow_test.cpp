#include <filesystem>

#include "tests/updater/flow_fixture.h"

namespace velt {
namespace {

using namespace std::chrono_literals;
using Dialogs = std::vector<int32_t>;

TEST_F(FlowTest, AnUnreadablePackageShowsDialog1AndTouchesNoMouse) {
  useMouse("unplug-after=0");  // any discovery would show as a transfer-free search
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(frontEnd.dialogs(), Dialogs{1});
  EXPECT_EQ(frontEnd.last().problem, "there is no package here: no fwconfig.plist");
  EXPECT_EQ(frontEnd.last().packageFolder, package());
  EXPECT_EQ(waited(), 0s);
  EXPECT_FALSE(logged("find device"));
}

TEST_F(FlowTest, TheThreeVersionComparisons) {
  const struct {
    uint16_t packageVersion;
    int32_t dialog;
    int compare;
  } cases[] = {{46, 3, 1}, {45, 4, 2}, {47, 5, 3}};
  for (const auto& c : cases) {
    writePackage(c.packageVersion, 100);
    RecordingFrontEnd seen;
    UpdateFlow flow(package(), seen);
    flow.UpdateProcessing();
    EXPECT_EQ(seen.dialogs(), Dialogs{c.dialog}) << c.packageVersion;
    EXPECT_EQ(flow.CompareFwVersion(), c.compare);
    EXPECT_EQ(seen.last().mouseVersion, "0.46");
    EXPECT_EQ(seen.last().packageVersion, firmwareVersionText(c.packageVersion));
    Close_device();
  }
  EXPECT_TRUE(logged("Open fwdevice success"));
  EXPECT_TRUE(logged("make sure open fwdevice success"));
  EXPECT_TRUE(logged("0.46"));
}

TEST_F(FlowTest, AWholeUpdateLeavesTheMouseRunningTheNewVersion) {
  writePackage(47, 39 * 1024 + 700);
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  ASSERT_EQ(frontEnd.dialogs(), Dialogs{5});
  EXPECT_EQ(flow.V1_UpdateFrFirmware(), 1);
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{5, 7, 9}));
  EXPECT_EQ(frontEnd.last().mouseVersion, "0.47");
  EXPECT_TRUE(logged("update firmware 0.47"));
  // The bootloader appears at the third attempt after the request.
  EXPECT_TRUE(logged("try to open bldevice success at 198"));
  EXPECT_EQ(count("send firmware data to mouse"), 40);
  EXPECT_TRUE(logged("Send_bl_start success"));
  EXPECT_TRUE(logged("Send_bl_complete success"));
  // Two missed attempts, 10 s settling, 1 s after the start, 1 s before completion, 10 s
  // restart.
  EXPECT_EQ(waited(), 24s);
  const MouseState state = storedState(mouse());
  EXPECT_EQ(state.firmwareVersion, 47);
  EXPECT_EQ(state.mode, MouseMode::kNormal);
  EXPECT_FALSE(IsOpen());
}

// After the restart the version is read until the mouse answers, and success is only
// the package's version running: anything else ends in dialog 6 saying what runs.
TEST_F(FlowTest, SuccessOnlyWhenTheRestartedMouseRunsThePackagesVersion) {
  // With 2 blocks the bootloader takes 13 sets, each with one status get; then each
  // version read of the restarted mouse is a set, a status get and the reply get: the
  // replies are gets 15, 17 .. 33.
  const struct {
    const char* what;
    uint16_t imageVersion;  // what the firmware image names; 0 for no marker
    std::string faults;
    int32_t lastDialog;
    const char* problem;
    std::chrono::seconds waitedAfterRestart;
    uint16_t running;
  } cases[] = {
      {"the package's version", 47, "", 9, "", 0s, 47},
      {"a reply dropped at the first read", 47, "drop-get=15", 9, "", 1s, 47},
      {"a reply dropped at every read", 47,
       "drop-get=15,drop-get=17,drop-get=19,drop-get=21,drop-get=23,drop-get=25,drop-get=27,"
       "drop-get=29,drop-get=31,drop-get=33",
       6,
       "the firmware was sent, but the restarted mouse's version could not be read (10 attempts)",
       9s, 47},
      {"a firmware without the marker", 0, "", 6,
       "the firmware was sent, but the mouse restarted running firmware 0.46, not the package's "
       "0.47",
       0s, 46},
      {"a firmware naming 0.50", 50, "", 6,
       "the firmware was sent, but the mouse restarted running firmware 0.50, not the package's "
       "0.47",
       0s, 50},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> image = emulatedFirmwareImage(c.imageVersion, 2048);
    if (c.imageVersion == 0) image.assign(2048, 0x11);
    std::string error;
    ASSERT_TRUE(writeFirmwarePackage(package(), 47, "fw", image, false, error)) << error;
    std::filesystem::remove_all(mouse());
    sendMouseToBootloader("bl-appear-after=1");
    useMouse(c.faults);
    RecordingFrontEnd seen;
    UpdateFlow flow(package(), seen);
    const auto before = waited();
    flow.UpdateProcessing();
    EXPECT_EQ(seen.dialogs(), (Dialogs{10, 7, c.lastDialog})) << c.what;
    EXPECT_EQ(seen.last().problem.find(c.problem), 0u) << c.what << ": " << seen.last().problem;
    EXPECT_FALSE(seen.last().mouseInBootloader) << c.what;
    // 1 s after the start, 1 s before completion, 10 s restart, then the retries.
    EXPECT_EQ(waited() - before - 12s, c.waitedAfterRestart) << c.what;
    EXPECT_EQ(storedState(mouse()).firmwareVersion, c.running) << c.what;
    EXPECT_FALSE(IsOpen());
  }
}

TEST_F(FlowTest, ProgressFor120Blocks) {
  writePackage(47, 120 * 1024);
  sendMouseToBootloader();
  useMouse();
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{10, 7, 9}));
  const std::vector<int32_t> progress = frontEnd.progress();
  ASSERT_EQ(progress.size(), 121u);
  EXPECT_EQ(std::vector<int32_t>(progress.begin(), progress.begin() + 5),
            (std::vector<int32_t>{2, 2, 2, 3, 4}));
  EXPECT_EQ(progress.back(), 101);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(flow.progressPos(), 101);
}

// Packages that cannot be installed are refused before the mouse is touched, even one
// already waiting in its bootloader: dialog 1 names the problem and the folder.
TEST_F(FlowTest, PackagesThatCannotBeInstalledAreRefusedBeforeAnyFrame) {
  const struct {
    int32_t version;
    size_t bytes;
    const char* problem;
  } cases[] = {
      {47, 0, "the firmware file fw.bin is empty"},
      {0, 2048, "\"Version\" 0 in fwconfig.plist is outside 1..65535"},
      {65536, 2048, "\"Version\" 65536 in fwconfig.plist is outside 1..65535"},
      {-1, 2048, "\"Version\" -1 in fwconfig.plist is outside 1..65535"},
  };
  sendMouseToBootloader();
  const MouseState before = storedState(mouse());
  const long discoveries = count("find device");
  for (const auto& c : cases) {
    std::string error;
    ASSERT_TRUE(writeFirmwarePackage(package(), c.version, "fw", emulatedFirmwareImage(47, c.bytes),
                                     false, error))
        << error;
    useMouse("unplug-after=0");  // a discovery would count as a transfer-free search
    RecordingFrontEnd seen;
    UpdateFlow flow(package(), seen);
    flow.UpdateProcessing();
    EXPECT_EQ(seen.dialogs(), Dialogs{1}) << c.problem;
    EXPECT_EQ(seen.last().problem.find(c.problem), 0u) << seen.last().problem;
    EXPECT_EQ(seen.last().packageFolder, package());
    EXPECT_TRUE(seen.progress().empty());
  }
  EXPECT_EQ(waited(), 0s);
  EXPECT_EQ(count("find device"), discoveries);
  EXPECT_EQ(storedState(mouse()), before);
}

TEST_F(FlowTest, BootloaderFoundOnTheFirstSecondOrALaterAttempt) {
  writePackage(47, 2048);
  const struct {
    int appearAfter;  // discoveries after the request, the flow's Open_device included
    int alerts;
    std::chrono::seconds searched;
  } cases[] = {{2, 0, 0s}, {3, 0, 1s}, {5, 1, 3s}};
  for (const auto& c : cases) {
    sendMouseToBootloader("bl-appear-after=" + std::to_string(c.appearAfter));
    useMouse();
    RecordingFrontEnd seen;
    const auto before = waited();
    UpdateFlow flow(package(), seen);
    flow.UpdateProcessing();
    EXPECT_EQ(seen.alerts(), c.alerts) << c.appearAfter;
    EXPECT_EQ(seen.dialogs(), (Dialogs{10, 7, 9})) << c.appearAfter;
    // The transfer itself waits 1 + 1 + 10 s.
    EXPECT_EQ(waited() - before - 12s, c.searched) << c.appearAfter;
  }
  EXPECT_TRUE(logged("Open fwdevice failed"));
  EXPECT_TRUE(logged("make sure open bldevice success"));
  EXPECT_EQ(count("Try to open bldevice twice failed after open fwdevice"), 1);
}

TEST_F(FlowTest, NoMouseAnywhereShowsDialog2AfterTheLongSearch) {
  writePackage(47, 2048);
  useMouse("unplug-after=0");
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(frontEnd.dialogs(), Dialogs{2});
  EXPECT_EQ(frontEnd.alerts(), 1);
  EXPECT_EQ(waited(), 102s);
  EXPECT_TRUE(logged("Try to open bldevice 100 times failed"));
  EXPECT_TRUE(logged("not find fwdevice or bldevice"));
}

// In the bootloader, the sets of this process are: 4 for the start, then 4 per block,
// the block's data last; the completion after them.
std::string dropDataOfBlock(int block) {
  return "drop-set=" + std::to_string(8 + 4 * block);
}

TEST_F(FlowTest, ABlockFailingOnceIsSentAgainAndTwiceEndsInDialog6) {
  writePackage(47, 3 * 1024);
  sendMouseToBootloader();
  useMouse(dropDataOfBlock(1));
  {
    UpdateFlow flow(package(), frontEnd);
    flow.UpdateProcessing();
  }
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{10, 7, 9}));
  EXPECT_EQ(count("Send_fw_block failed 3"), 1);
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 47);

  writePackage(48, 3 * 1024);
  sendMouseToBootloader();
  // Block 1 and its resend, which takes the next four sets.
  useMouse(dropDataOfBlock(1) + "," + dropDataOfBlock(2));
  RecordingFrontEnd failed;
  UpdateFlow flow(package(), failed);
  flow.UpdateProcessing();
  EXPECT_EQ(failed.dialogs(), (Dialogs{10, 6}));
  EXPECT_TRUE(failed.last().mouseInBootloader);
  EXPECT_NE(failed.last().problem.find("run the updater again"), std::string::npos);
  EXPECT_EQ(count("Send_fw_block failed one more"), 1);
  EXPECT_EQ(failed.progress(), (std::vector<int32_t>{2, 2}));
}

TEST_F(FlowTest, AnInterruptedUpdateIsResumedByTheNextRun) {
  writePackage(47, 3 * 1024);
  sendMouseToBootloader();
  useMouse(dropDataOfBlock(1) + "," + dropDataOfBlock(2));
  {
    UpdateFlow flow(package(), frontEnd);
    flow.UpdateProcessing();
    ASSERT_EQ(frontEnd.dialogs(), (Dialogs{10, 6}));
  }
  EXPECT_EQ(storedState(mouse()).mode, MouseMode::kBootloader);
  useMouse();
  RecordingFrontEnd next;
  UpdateFlow flow(package(), next);
  flow.UpdateProcessing();
  EXPECT_EQ(next.dialogs(), (Dialogs{10, 7, 9}));
  EXPECT_EQ(next.last().mouseVersion, "0.47");
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 47);
}

TEST_F(FlowTest, TheEnterRequestIsTriedFourTimesTwoSecondsApart) {
  writePackage(47, 2048);
  // The first set is Get_fw_version's frame; each request fails at its first set.
  useMouse("drop-set=2,drop-set=3,drop-set=4,drop-set=5");
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(flow.V1_UpdateFrFirmware(), 0);
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{5, 6}));
  EXPECT_FALSE(frontEnd.last().mouseInBootloader);
  EXPECT_EQ(waited(), 6s);
  EXPECT_TRUE(logged("send_bl_request failed "));
  EXPECT_TRUE(logged("send_bl_request failed  3 times"));
  EXPECT_EQ(storedState(mouse()).mode, MouseMode::kNormal);

  // Three refusals: the fourth request goes through.
  useMouse("drop-set=2,drop-set=3,drop-set=4");
  RecordingFrontEnd fourth;
  UpdateFlow again(package(), fourth);
  again.UpdateProcessing();
  EXPECT_EQ(again.V1_UpdateFrFirmware(), 1);
  EXPECT_EQ(fourth.dialogs(), (Dialogs{5, 7, 9}));
}

TEST_F(FlowTest, ABootloaderThatNeverAppearsEndsInDialog6After200Attempts) {
  writePackage(47, 2048);
  useMouse("bl-appear-after=1000");
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(flow.V1_UpdateFrFirmware(), 0);
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{5, 6}));
  EXPECT_EQ(waited(), 200s);
  EXPECT_TRUE(logged("try to open bldevice 200 times failed"));
}

TEST_F(FlowTest, AStartRefusedEndsInDialog6) {
  writePackage(47, 2048);
  sendMouseToBootloader();
  useMouse("drop-set=1");
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{10, 6}));
  EXPECT_TRUE(logged("Send_bl_start failed"));
}

// The mouse's version cannot be read: dialog 6 rather than a window without a button.
TEST_F(FlowTest, AnUnreadableMouseVersionShowsDialog6) {
  writePackage(47, 2048);
  useMouse("drop-get=2");  // the version reply
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(frontEnd.dialogs(), Dialogs{6});
  EXPECT_FALSE(frontEnd.last().mouseInBootloader);
  EXPECT_NE(frontEnd.last().problem.find("Get_fw_version failed: 3"), std::string::npos);
}

// A completion that cannot be sent: dialog 6, not the updating dialog for ever and
// success.
TEST_F(FlowTest, ACompletionThatCannotBeSentShowsDialog6) {
  writePackage(47, 2 * 1024);
  sendMouseToBootloader();
  useMouse("drop-set=" + std::to_string(4 + 4 * 2 + 1));
  UpdateFlow flow(package(), frontEnd);
  flow.UpdateProcessing();
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{10, 6}));
  EXPECT_TRUE(frontEnd.last().mouseInBootloader);
  EXPECT_TRUE(logged("Send_bl_complete failed"));
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 46);
}

}  // namespace
}  // namespace velt
