// The profile menus and Reset to default, with dialogs answered through their buttons
// and file panels answered by the scripted services.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/profile_apply.h"
#include "tests/config_app/config_app_test_support.h"
#include "toolkit/layout/dialog_layout.h"

namespace velt::test {
namespace {

enum Item { kRename = 1, kSave, kExport, kImport, kDisableEnable };

class ProfileMenu : public MainViewFixture {
 protected:
  void SetUp() override {
    MainViewFixture::SetUp();
    useNoMouse();
    start();
  }
  // The menu of profile 1..5 chooses an item, as its drop-down button reports it.
  void choose(int profile, Item item) { view->subMsg(10 + profile, item); }
  void answerDialog(int32_t type, int32_t buttonId, std::string typed = {}) {
    whenDialogRuns(type, [=](PopView& dialog) {
      if (type == kRenameDialog) dialog.textField().setText(typed);
      clickDialogButton(dialog, buttonId);
    });
  }
};

TEST_F(ProfileMenu, RenameTakesTheTypedNameOnlyWhenConfirmed) {
  whenDialogRuns(kRenameDialog, [](PopView& dialog) {
    EXPECT_EQ(dialog.textField().text(), "Profile2") << "preset to the current name";
    dialog.textField().setText("Long range ~ \"quoted\" name over sixteen");
    clickDialogButton(dialog, 126);
  });
  choose(2, kRename);
  EXPECT_EQ(view->profile(1).profileName(), "Long range ~ \"quoted\" name over sixteen");
  EXPECT_EQ(view->profileTab(1).caption(), view->profile(1).profileName());

  for (int32_t cancel : {127, 128}) {
    answerDialog(kRenameDialog, cancel, "Not taken");
    choose(2, kRename);
    EXPECT_EQ(view->profile(1).profileName(), "Long range ~ \"quoted\" name over sixteen");
  }
  answerDialog(kRenameDialog, 126, "");
  choose(2, kRename);
  EXPECT_EQ(view->profileTab(1).caption(), "") << "an empty name is a name";
}

TEST_F(ProfileMenu, SaveWritesTheMenusProfileAsItIsInMemory) {
  view->profile(3).setProfileName("Four");
  choose(4, kSave);
  Profile fromFile;
  ASSERT_TRUE(fromFile.read(profileFile(4)));
  EXPECT_EQ(fromFile.profileName(), "Four");
  EXPECT_FALSE(std::filesystem::exists(profileFile(1)));
}

TEST_F(ProfileMenu, ExportAddsTheExtensionOnlyWhenTheNameLacksIt) {
  struct Case {
    std::string chosen, written;
  } cases[] = {{"a", "a.plist"}, {"b.plist", "b.plist"}, {"c.PLIST", "c.PLIST.plist"}};
  for (const Case& c : cases) {
    ui->panelAnswers.push_back(home.path() + c.chosen);
    choose(1, kExport);
    EXPECT_TRUE(std::filesystem::exists(home.path() + c.written)) << c.chosen;
  }
  EXPECT_FALSE(std::filesystem::exists(home.path() + "b.plist.plist"));
  EXPECT_EQ(ui->calls[0], (ScriptedUiServices::Call{"save", "Save profile", "Profile1.plist"}));

  choose(1, kExport);  // cancelled: nothing written, nothing said
  EXPECT_TRUE(alerts().empty());
}

TEST_F(ProfileMenu, ImportReadsIntoTheProfileKeepsItsSlotAndHandsItsMacrosToTheLibrary) {
  Profile exported;
  exported.setProfileName("Imported");
  exported.setProfileID(0);
  MacroData macro(4242, "Combo");
  macro.addEvent(1, 4, 0, 0);
  macro.addEvent(1, 4, 1, 30);
  KeyButton& key = exported.key3();
  key.setKeyMappingTable(kMacroFunction);
  exported.setButtonMacro(key, &macro);
  ASSERT_TRUE(exported.save(home.path() + "in.plist"));

  ui->panelAnswers.push_back(home.path() + "in.plist");
  choose(2, kImport);
  EXPECT_EQ(view->profile(1).profileName(), "Imported");
  EXPECT_EQ(view->profile(1).profileID(), 2);
  EXPECT_EQ(view->profileTab(1).caption(), "Imported");
  EXPECT_NE(view->macroSettingView().library().macroWithID(4242), nullptr);
  EXPECT_FALSE(std::filesystem::exists(profileFile(2))) << "saved only by the next apply";
}

TEST_F(ProfileMenu, ImportingADisabledProfileDisablesItsTabAndApplyWhenCurrent) {
  Profile exported;
  exported.setEnalbe(0);
  ASSERT_TRUE(exported.save(home.path() + "off.plist"));
  ui->panelAnswers.push_back(home.path() + "off.plist");
  choose(1, kImport);
  EXPECT_FALSE(view->profileTab(0).isEnabled());
  EXPECT_FALSE(view->applyButton().isEnabled());
  EXPECT_FALSE(view->okButton().isEnabled());
}

TEST_F(ProfileMenu, ImportOfAFileThatIsNoProfileChangesNothingAndSaysSo) {
  std::ofstream(home.path() + "junk.plist") << "not a property list";
  ui->panelAnswers.push_back(home.path() + "junk.plist");
  choose(1, kImport);
  EXPECT_EQ(view->profile(0).profileName(), "Profile1");
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_NE(alerts()[0].find("junk.plist"), std::string::npos);
}

TEST_F(ProfileMenu, DisablingTheCurrentProfileDisablesItsTabApplyAndOK) {
  choose(1, kDisableEnable);
  EXPECT_FALSE(view->profileTab(0).isEnabled());
  EXPECT_FALSE(view->applyButton().isEnabled());
  EXPECT_FALSE(view->okButton().isEnabled());
  choose(3, kDisableEnable);  // another profile: Apply follows the current one
  EXPECT_FALSE(view->profileTab(2).isEnabled());
  EXPECT_FALSE(view->applyButton().isEnabled());
  choose(1, kDisableEnable);
  EXPECT_TRUE(view->profileTab(0).isEnabled());
  EXPECT_TRUE(view->applyButton().isEnabled());
  EXPECT_TRUE(view->okButton().isEnabled());
}

TEST_F(ProfileMenu, ItemsAndMenusOutsideTheRangeDoNothing) {
  view->subMsg(11, 0);
  view->subMsg(11, 6);
  view->subMsg(16, 1);
  view->subMsg(17, 3);  // the language list
  EXPECT_TRUE(ui->calls.empty());
  EXPECT_TRUE(PopView::runningDialogs().empty());
}

TEST_F(ProfileMenu, ResetRestoresNamesAndTabsThenApplies) {
  view->profile(1).setProfileName("Custom");
  view->profile(1).setDPIXaxis1(3200);
  choose(4, kDisableEnable);

  answerDialog(kResetWarnDialog, 152);  // Cancel keeps everything
  view->OnCmd(16);
  EXPECT_EQ(view->profile(1).profileName(), "Custom");

  answerDialog(kResetWarnDialog, 151);
  view->OnCmd(16);
  EXPECT_EQ(view->profile(1).profileName(), "Profile2");
  EXPECT_EQ(view->profileTab(1).caption(), "Profile2");
  EXPECT_TRUE(view->profileTab(3).isEnabled());
  EXPECT_EQ(view->profile(1).DPIXaxis1(), Profile().DPIXaxis1());
  EXPECT_TRUE(std::filesystem::exists(profileFile(5))) << "the reset is applied";
  EXPECT_EQ(alerts().back(), kMouseNotFoundMessage);
}

}  // namespace
}  // namespace velt::test
