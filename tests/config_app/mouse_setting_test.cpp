// The button page: function menus, left-click protection, macros offered and bound, the
// polling rate and the host pointer settings, through the main view on a private home.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/KeyButton.h"
#include "tests/config_app/config_app_test_support.h"
#include "toolkit/layout/dialog_layout.h"

namespace velt::test {
namespace {

constexpr int32_t kWarnOK = 131;
constexpr int32_t kAssignOK = 156;

class ButtonPage : public MainViewFixture {
 protected:
  void SetUp() override {
    MainViewFixture::SetUp();
    useNoMouse();
    start();
  }
  MouseSettingView& page() { return view->mouseSettingView(); }
  KivComboxButton& menu(int button) { return page().functionMenu(button - 1); }
  // Button 1..7's menu reports the item, as its menu window does when it is released on.
  void choose(int button, int32_t item) { menu(button).subMsg(0, item); }
  // The next dialog is checked to be of the type and ended with the button.
  void expectDialog(int32_t type, int32_t button, bool* ran) {
    whenDialogRuns(type, [=](PopView& dialog) {
      *ran = true;
      clickDialogButton(dialog, button);
    });
  }
  // A macro of a press and a release of the key joins the library and the name list.
  Macro& recordedMacro(const std::string& name, int32_t id, int32_t keyCode) {
    MacroData data(static_cast<uint64_t>(id), name);
    data.addEvent(1, static_cast<uint64_t>(keyCode), 0, 0);
    data.addEvent(1, static_cast<uint64_t>(keyCode), 1, 50);
    view->macroSettingView().addMacro(data);
    return *view->macroSettingView().library().macroWithID(id);
  }
  // The library and the name list lose the macro, as the page's Delete macro does it.
  void forget(int32_t id) {
    view->macroSettingView().subMsg(KivListBox::kListItemDeleting, id);
    view->macroSettingView().nameList().deleteItem(id);
  }
  bool macroItemEnabled(int button) {
    return menu(button).menu()->getMenuItem(MouseSettingView::kRecordMacro)->m_bEnable;
  }
};

TEST_F(ButtonPage, StartsWithTheDefaultCommandsAndNamesItsControls) {
  const char* captions[] = {"Left click", "Right click", "Scroll click", "Forward",
                            "Back",       "Dpi up",      "Dpi down"};
  for (int button = 1; button <= 7; ++button) {
    EXPECT_EQ(menu(button).caption(), captions[button - 1]);
    EXPECT_EQ(menu(button).accessibleName(), "Button " + std::to_string(button));
    EXPECT_EQ(menu(button).accessibleValue(), captions[button - 1]);
  }
  const char* rates[] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(page().pollingButton(i).accessibleName(), rates[i]);
  EXPECT_TRUE(page().pollingButton(3).selected()) << "a fresh profile polls at 1 ms";
  EXPECT_EQ(page().doubleClickSlider().accessibleName(), "Double-click speed");
  EXPECT_EQ(page().scrollSpeedSlider().accessibleName(), "Scroll speed");
  EXPECT_EQ(page().accelerationSlider().accessibleName(), "Pointer acceleration");
  EXPECT_EQ(page().accelerationCheck().accessibleName(), "Pointer acceleration");
  EXPECT_FALSE(menu(1).menu()->getMenuItem(7)) << "there is no item 7";
  EXPECT_EQ(menu(1).getMenuItemString(10), "Profile swith down");
}

TEST_F(ButtonPage, TheOnlyLeftClickButtonKeepsItsFunctionUntilAnotherHasIt) {
  choose(1, MouseSettingView::kLeftClick);  // choosing it again needs no warning
  EXPECT_EQ(menu(1).getCurItemID(), 0);

  bool warned = false;
  expectDialog(kLeftClickWarnDialog, kWarnOK, &warned);
  choose(1, MouseSettingView::kDisableButton);
  EXPECT_TRUE(warned);
  EXPECT_EQ(menu(1).getCurItemID(), 0);
  EXPECT_EQ(menu(1).caption(), "Left click");

  choose(2, MouseSettingView::kLeftClick);
  EXPECT_TRUE(page().canChangeLeftClick());
  choose(1, MouseSettingView::kDisableButton);
  EXPECT_EQ(menu(1).getCurItemID(), MouseSettingView::kDisableButton);
  EXPECT_EQ(menu(1).caption(), "Disable button");
  EXPECT_FALSE(page().canChangeLeftClick());

  warned = false;
  expectDialog(kLeftClickWarnDialog, kWarnOK, &warned);
  choose(2, MouseSettingView::kSingleKey);  // not even the key dialog opens
  EXPECT_TRUE(warned);
  EXPECT_EQ(menu(2).getCurItemID(), 0);
}

TEST_F(ButtonPage, AssignRecordMacroListsTheLibraryAndIsDisabledWhenItIsEmpty) {
  for (int button = 1; button <= 7; ++button) EXPECT_FALSE(macroItemEnabled(button)) << button;

  Macro& reload = recordedMacro("Reload", 16, 15);
  recordedMacro("Sprint", 17, 1);
  page().loadMacroList();
  for (int button = 1; button <= 7; ++button) {
    EXPECT_TRUE(macroItemEnabled(button)) << button;
    KivMenu* sub = menu(button).menu()->findSubMenu(MouseSettingView::kRecordMacro);
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(sub->getMenuCount(), 2);
    EXPECT_EQ(sub->menuItems()[0].m_strCaption, "Reload");
    EXPECT_EQ(sub->menuItems()[0].m_uID, reload.nID());
  }

  forget(16);
  forget(17);
  page().loadMacroList();
  EXPECT_FALSE(macroItemEnabled(4)) << "emptied again";
}

TEST_F(ButtonPage, AMacroIsBoundAsTheLibraryHasItAndDroppedWhenTheLibraryLostIt) {
  Macro& reload = recordedMacro("Reload", 16, 15);
  page().loadMacroList();
  choose(3, reload.nID());
  EXPECT_EQ(menu(3).caption(), "Reload");
  EXPECT_EQ(menu(3).getCurItemID(), MouseSettingView::kRecordMacro);
  EXPECT_EQ(menu(3).getButtonFunction(), reload.nID());

  reload.addItem(1, 2, 0, 0, Macro::kAppend);  // edited after the choice: the edit counts
  Profile& profile = view->curProfile();
  page().getUIData(profile);
  EXPECT_EQ(profile.key3().keyMappingTable(), kMacroFunction);
  EXPECT_EQ(profile.key3().keyMacro(), reload.nID());
  EXPECT_EQ(profile.macroData3().macroName(), "Reload");
  EXPECT_EQ(profile.macroData3().eventCount(), 3u);

  forget(16);
  page().setUIData(profile);
  EXPECT_EQ(menu(3).caption(), "Reload") << "the profile's own copy names it until stored";
  page().getUIData(profile);
  EXPECT_EQ(profile.key3().keyMappingTable(), profile.key3().defaultKey());
  EXPECT_EQ(profile.key3().keyMacro(), 0);
}

TEST_F(ButtonPage, AMacroWhoseIDIsAFixedItemsShowsItsOwnName) {
  MacroData data(MouseSettingView::kDefaultCommands, "Combo");
  data.addEvent(1, 0, 0, 0);
  view->macroSettingView().addMacro(data);
  page().loadMacroList();
  choose(5, MouseSettingView::kDefaultCommands);
  EXPECT_EQ(menu(5).caption(), "Combo");
  page().getUIData(view->curProfile());
  EXPECT_EQ(view->curProfile().key5().keyMacro(), MouseSettingView::kDefaultCommands);
  EXPECT_EQ(view->curProfile().macroData5().macroName(), "Combo");
}

TEST_F(ButtonPage, SingleKeyAssignTakesTheCapturedKeyOnlyWhenConfirmed) {
  whenDialogRuns(kAssignKeyDialog, [](PopView& dialog) {
    QTest::keyClick(widgetOf(dialog), Qt::Key_F5);
    clickDialogButton(dialog, kAssignOK);
  });
  choose(6, MouseSettingView::kSingleKey);
  EXPECT_EQ(menu(6).caption(), "F5");
  page().getUIData(view->curProfile());
  EXPECT_EQ(view->curProfile().key6().keyMappingTable(), kSingleKeyFunction);
  EXPECT_EQ(view->curProfile().key6().keyMacro(), 96);

  whenDialogRuns(kAssignKeyDialog, clickButton(157));
  choose(7, MouseSettingView::kSingleKey);
  EXPECT_EQ(menu(7).caption(), "Dpi down");
  EXPECT_EQ(menu(7).getCurItemID(), 6);
}

TEST_F(ButtonPage, LoadsEveryFieldFromTheProfileAndWritesItBack) {
  struct Case {
    int32_t keyCode;
    const char* caption;
  } keys[] = {{83, "1"}, {10, ""}, {0, "A"}};
  Profile& profile = view->curProfile();
  for (const Case& c : keys) {
    profile.key2().setKeyMappingTable(kSingleKeyFunction);
    profile.key2().setkeyMacro(static_cast<uint64_t>(c.keyCode));
    page().setUIData(profile);
    EXPECT_EQ(menu(2).caption(), c.caption) << c.keyCode;
    EXPECT_EQ(menu(2).getButtonFunction(), c.keyCode);
  }
  profile.key4().setKeyMappingTable(11);
  profile.setPollingRate(3);
  profile.setDoubleClickTime(600);
  profile.setScrollSpeed(5);
  profile.setIsPointerAcceleration(0);
  profile.setPointerAcceleration(3);
  page().setUIData(profile);
  EXPECT_EQ(menu(4).caption(), "Scroll up");
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(page().pollingButton(i).selected()) << i;
  EXPECT_EQ(page().doubleClickSlider().getCurValue(), 600);
  EXPECT_EQ(page().scrollSpeedSlider().getCurValue(), 5);
  EXPECT_FALSE(page().accelerationCheck().isCheck());
  EXPECT_FALSE(page().accelerationSlider().isEnabled());

  Profile written = profile;
  page().getUIData(written);
  EXPECT_EQ(written.pollingRate(), 3) << "no polling button selected keeps the value";
  EXPECT_EQ(written.pointerAcceleration(), 3) << "kept while unchecked";
  EXPECT_EQ(written.isPointerAcceleration(), 0);
  EXPECT_EQ(written.key4().keyMappingTable(), 11);
  EXPECT_EQ(written.key2().keyMappingTable(), kSingleKeyFunction);
}

TEST_F(ButtonPage, PollingButtonsAreRadioButtonsAndTheBoxSwitchesItsSlider) {
  click(page().pollingButton(1));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(page().pollingButton(i).selected(), i == 1) << i;
  page().getUIData(view->curProfile());
  EXPECT_EQ(view->curProfile().pollingRate(), 4);

  click(page().accelerationCheck());
  EXPECT_TRUE(page().accelerationCheck().isCheck());
  EXPECT_TRUE(page().accelerationSlider().isEnabled());
  click(page().accelerationCheck());
  EXPECT_FALSE(page().accelerationSlider().isEnabled());
}

// A profile file that brings a macro along: the library takes it at start, and every
// function menu offers it from the first look at the page.
TEST_F(MainViewFixture, AProfilesMacroIsOfferedFromTheStart) {
  useNoMouse();
  std::filesystem::create_directories(profileFolder());
  Profile stored;
  stored.initProfile();
  stored.setProfilePath(profileFile(1));
  stored.key3().setKeyMappingTable(kMacroFunction);
  stored.key3().setkeyMacro(40);
  MacroData macro(40, "Saved");
  macro.addEvent(1, 0, 0, 0);
  stored.setButtonMacro(stored.key3(), &macro);
  ASSERT_TRUE(stored.save());

  start();
  KivComboxButton& menu = view->mouseSettingView().functionMenu(6);
  KivMenu* sub = menu.menu()->findSubMenu(MouseSettingView::kRecordMacro);
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(sub->getMenuCount(), 1);
  EXPECT_EQ(sub->menuItems()[0].m_strCaption, "Saved");
  EXPECT_EQ(view->mouseSettingView().functionMenu(2).caption(), "Saved");
}

}  // namespace
}  // namespace velt::test
