// The main view driven through its controls, on a private home, with the emulated mouse
// or none, scripted desktop services and the manual clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "device/commands.h"
#include "device/mouse_lock.h"
#include "device/profile_image.h"
#include "model/profile_apply.h"
#include "tests/config_app/config_app_test_support.h"
#include "tests/support/screen_ratio.h"
#include "toolkit/layout/main_layout.h"
#include "toolkit/platform/qt_convert.h"

namespace velt::test {
namespace {

using MainView = MainViewFixture;

int selectedProfileTab(VELTView& v) {
  for (int i = 0; i < VELTView::kProfiles; ++i)
    if (v.profileTab(i).selected()) return i;
  return -1;
}

std::string shownFirmware(VELTView& v) {
  return v.supportView().firmwareVersion().getCurText().value_or("");
}

TEST_F(MainView, WithoutAMouseItShowsTheStoredProfilesAndApplySavesThemBeforeItSaysSo) {
  useNoMouse();
  VELTView& v = start();
  EXPECT_EQ(shownFirmware(v), "-.--");
  poll();
  EXPECT_EQ(selectedProfileTab(v), -1);
  EXPECT_EQ(v.profileTab(0).caption(), "Profile1");

  click(v.applyButton());
  for (int p = 1; p <= 5; ++p) EXPECT_TRUE(std::filesystem::exists(profileFile(p))) << p;
  EXPECT_EQ(alerts(), std::vector<std::string>{kMouseNotFoundMessage});
  EXPECT_FALSE(v.isWritingData());
}

TEST_F(MainView, StoredNamesAndDisabledProfilesComeBackAtStart) {
  useNoMouse();
  std::filesystem::create_directories(profileFolder());
  Profile stored;
  stored.setProfileName("Sniper");
  stored.setEnalbe(0);
  ASSERT_TRUE(stored.save(profileFile(3)));

  VELTView& v = start();
  EXPECT_EQ(v.profileTab(2).caption(), "Sniper");
  EXPECT_FALSE(v.profileTab(2).isEnabled());
  EXPECT_EQ(v.profile(2).profileID(), 3) << "the slot is the profile's, not the file's";
}

TEST_F(MainView, TheFirstPollSelectsTheMousesProfileAndAppliesItsHostSettings) {
  useEmulatedMouse();
  VELTView& v = start();
  EXPECT_EQ(shownFirmware(v), "0.46");
  EXPECT_TRUE(commandsRun().empty());

  poll();  // a fresh mouse is on profile 0: the fifth tab
  EXPECT_EQ(selectedProfileTab(v), 4);
  EXPECT_EQ(&v.curProfile(), &v.profile(4));
  EXPECT_FALSE(commandsRun().empty()) << "host settings of the selected profile";

  size_t commands = commandsRun().size();
  poll();
  EXPECT_EQ(commandsRun().size(), commands) << "no change, nothing done";
}

TEST_F(MainView, APollFollowsASwitchMadeByAnotherProgram) {
  useEmulatedMouse();
  VELTView& v = start();
  poll();
  ASSERT_EQ(selectedProfileTab(v), 4);

  std::string veltctl = std::string(VELT_BINARY_DIR) + "/cli/veltctl --emulate '" + mouseDir() +
                        "' switch 3 >/dev/null";
  ASSERT_EQ(std::system(veltctl.c_str()), 0);
  poll();
  EXPECT_EQ(selectedProfileTab(v), 2) << "slot 3 is the third profile";
}

TEST_F(MainView, ThePollStaysOutWhileAnApplyRunsOrADialogWaits) {
  useEmulatedMouse();
  VELTView& v = start();
  ASSERT_EQ(Set_current_profile_id(2), kResultSuccess);
  whenDialogRuns(kRenameDialog, [&](PopView& dialog) {
    poll();
    EXPECT_EQ(selectedProfileTab(v), -1) << "the poll ran inside a dialog";
    dialog.clickCancel();
  });
  v.subMsg(11, 1);  // Rename opens its dialog
  poll();
  EXPECT_EQ(selectedProfileTab(v), 1);
}

TEST_F(MainView, ApplySavesEveryProfileAndWritesEachSlotThenTheCurrentProfile) {
  useEmulatedMouse();
  VELTView& v = start();
  click(v.profileTab(2));
  v.curProfile().setProfileName("Third");
  click(v.applyButton());
  EXPECT_TRUE(alerts().empty());

  for (int i = 0; i < VELTView::kProfiles; ++i) {
    Profile& p = v.profile(i);
    Profile fromFile;
    ASSERT_TRUE(fromFile.read(profileFile(i + 1)));
    EXPECT_EQ(fromFile.profileName(), p.profileName());

    PROFILE_T meant{}, stored{};
    p.toPROFILE_T(meant);
    std::array<uint8_t, kProfileImageSize> meantImage{}, storedImage{};
    Convert_pf_to_buffer(meant, meantImage);
    ASSERT_EQ(Read_profile(p.profileID(), stored, storedImage), kResultSuccess);
    EXPECT_EQ(storedImage, meantImage) << "slot " << int(p.profileID());
  }
  uint8_t current = 0;
  ASSERT_EQ(Get_current_profile_id(current), kResultSuccess);
  EXPECT_EQ(current, 3);
  poll();
  EXPECT_EQ(selectedProfileTab(v), 2) << "the poll finds the profile the apply made current";
}

TEST_F(MainView, OKAppliesAndHidesCancelOnlyHides) {
  useEmulatedMouse();
  VELTView& v = start();
  v.curProfile().setProfileName("Edited");
  click(v.okButton());
  EXPECT_TRUE(std::filesystem::exists(profileFile(1)));
  ASSERT_FALSE(ui->calls.empty());
  EXPECT_EQ(ui->calls.back().what, "hide");

  std::filesystem::remove(profileFile(1));
  v.OnCmd(20);
  EXPECT_EQ(ui->calls.back().what, "hide");
  EXPECT_FALSE(std::filesystem::exists(profileFile(1))) << "Cancel writes nothing";
  EXPECT_EQ(v.curProfile().profileName(), "Edited") << "and reverts nothing";
}

TEST_F(MainView, PageTabsShowOnePageAndKeepItsHighlightAcrossProfileSwitches) {
  useEmulatedMouse();
  VELTView& v = start();
  click(v.pageTab(4));
  for (int i = 0; i < VELTView::kProfiles; ++i) {
    EXPECT_EQ(v.page(i).isHidden(), i != 4) << i;
    EXPECT_EQ(v.pageTab(i).selected(), i == 4) << i;
  }
  click(v.profileTab(1));
  EXPECT_TRUE(v.pageTab(4).selected());
  EXPECT_FALSE(v.page(4).isHidden());
}

// On a screen at scale 1.5 or 2 each page shows its sheet drawn for that scale, one to
// one, where the controls leave it to be seen, and not its 1x pixels scaled up.
TEST_F(MainView, OnAScaledScreenEveryPageShowsItsSheetDrawnForThatScale) {
  useEmulatedMouse();
  VELTView& v = start();
  QWidget& widget = *widgetOf(v);
  const QRectF page = qt::toQRect(kMainPageFrame, 600);
  for (int i = 0; i < VELTView::kProfiles; ++i) {
    click(v.pageTab(i));
    for (double ratio : {1.5, 2.0}) {
      const QImage shown = renderAtRatio(widget, ratio);
      const Image sheet = v.page(i).bkImage();
      const QImage drawn = *qt::qImage(sheet, ratio);
      const QImage scaledUp =
          qt::qImage(sheet)->scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      const QPoint origin(std::lround(page.x() * ratio), std::lround(page.y() * ratio));
      const QRect area(origin, drawn.size());
      EXPECT_GT(shareShownAsDrawn(shown, drawn, scaledUp, area, origin), 0.6)
          << "page " << i << " at " << ratio;
      if (ratio == 2.0) {
        EXPECT_GT(nonUniformBlockShare(shown, area), 0.3) << "page " << i;
      }
    }
  }
}

TEST_F(MainView, TheSupportTabReadsTheVersionOfAMouseConnectedAfterStart) {
  useNoMouse();
  VELTView& v = start();
  ASSERT_EQ(shownFirmware(v), "-.--");
  useEmulatedMouse();
  click(v.pageTab(4));
  EXPECT_EQ(shownFirmware(v), "0.46");
  poll();
  EXPECT_EQ(selectedProfileTab(v), 4) << "the poll runs once the mouse is open";
}

TEST_F(MainView, ApplyThatCannotSaveAFileSaysWhich) {
  useNoMouse();
  VELTView& v = start();
  // A folder where the second profile's file should be.
  std::filesystem::create_directories(profileFile(2) + "/x");
  click(v.applyButton());
  std::vector<std::string> said = alerts();
  ASSERT_EQ(said.size(), 2u);
  EXPECT_NE(said[0].find("default2.plist"), std::string::npos) << said[0];
  EXPECT_EQ(said[1], kMouseNotFoundMessage);
}

TEST_F(MainView, AnUnreadableProfileFileIsSetAsideToldOnceAndNeverSavedOver) {
  useNoMouse();
  std::filesystem::create_directories(profileFolder());
  std::ofstream(profileFile(2)) << "<plist><dict><key>broken";
  VELTView& v = start();
  EXPECT_EQ(v.profile(1).profileName(), "Profile2") << "starts from its defaults";
  EXPECT_FALSE(std::filesystem::exists(profileFile(2)));
  std::vector<std::string> kept;
  for (const auto& entry : std::filesystem::directory_iterator(profileFolder()))
    if (entry.path().filename().string().starts_with("default2.plist."))
      kept.push_back(entry.path());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(test::readBytes(kept[0]), "<plist><dict><key>broken");

  v.reportStartupProblems();
  v.reportStartupProblems();
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_NE(alerts()[0].find("Profile2 starts from its defaults"), std::string::npos);
  EXPECT_NE(alerts()[0].find(kept[0]), std::string::npos) << "says where the old file is";

  click(v.applyButton());
  EXPECT_EQ(test::readBytes(kept[0]), "<plist><dict><key>broken");
}

// A macro list cut short (a crash, a full disk) loses no macro: the list is set aside
// and the user told, the macro files are offered on the macro page and in the button
// menus, and Apply writes a list naming them. A kill during an earlier save left a
// temporary profile file, which start-up clears.
TEST_F(MainView, ABrokenMacroListIsSetAsideAndEveryMacroStaysOnThePageAndInTheMenus) {
  useNoMouse();
  std::filesystem::create_directories(macroFolder());
  for (auto [id, name] : {std::pair{16, "Copy"}, {17, "Paste"}, {18, "Cut"}}) {
    Macro macro;
    macro.initMacro(nullptr, id, name, {});
    macro.addItem(1, 4, 0, 0, Macro::kAppend);
    ASSERT_TRUE(macro.save(macroFolder() + name + ".macro"));
  }
  test::writeBytes(macroFolder() + "macroList.plist",
                   "<?xml version=\"1.0\"?><plist><dict><key>mac");
  std::filesystem::create_directories(profileFolder());
  const std::string stale = profileFolder() + ".default2.plist.tmp-Ab12Cd";
  test::writeBytes(stale, "<plist");

  VELTView& v = start();
  EXPECT_FALSE(std::filesystem::exists(stale));
  std::vector<std::string> listed;
  for (const BoxItem& item : v.macroSettingView().boxItems()) listed.push_back(item.m_strText);
  EXPECT_EQ(listed, (std::vector<std::string>{"Copy", "Paste", "Cut"}));
  KivMenu* offered =
      v.mouseSettingView().functionMenu(3).menu()->findSubMenu(MouseSettingView::kRecordMacro);
  ASSERT_NE(offered, nullptr);
  EXPECT_EQ(offered->getMenuCount(), 3);
  v.reportStartupProblems();
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_NE(alerts()[0].find("macroList.plist.corrupt-"), std::string::npos) << alerts()[0];

  click(v.applyButton());
  MacroLibrary library;
  library.setMacroPath(macroFolder());
  ASSERT_TRUE(library.readMacroItems());
  EXPECT_EQ(library.macros().size(), 3u);
  EXPECT_TRUE(library.readNotices().empty()) << "the apply wrote a list that reads";
}

TEST_F(MainView, ThePollSkipsABeatWhileAnotherHolderHasTheMouse) {
  useEmulatedMouse();
  VELTView& v = start();
  std::promise<void> held, release;
  std::thread other([&] {
    MouseLock mouse;
    held.set_value();
    release.get_future().wait();
  });
  held.get_future().wait();
  poll();
  EXPECT_EQ(selectedProfileTab(v), -1) << "the poll waited for, or went past, the holder";
  release.set_value();
  other.join();
  poll();
  EXPECT_EQ(selectedProfileTab(v), 4);
}

}  // namespace
}  // namespace velt::test
