#include "config_app/pages/MouseSettingView.h"

#include <optional>
#include <string>

#include "base/log.h"
#include "config_app/dialogs/PopView.h"
#include "config_app/pages/MacroSettingView.h"
#include "device/keycodes.h"
#include "model/Profile.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/layout/mouse_setting_layout.h"
#include "toolkit/layout/slider_scroll_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

constexpr int32_t kSubMenuWidth = 100;

struct FunctionItem {
  int32_t id;
  int32_t parent;  // -1 at the top level
  const char* caption;
};

// Every function menu's items in menu order; there is no item 7.
constexpr FunctionItem kFunctionItems[] = {
    {MouseSettingView::kDefaultCommands, -1, "Default commands"},
    {0, MouseSettingView::kDefaultCommands, "Left click"},
    {1, MouseSettingView::kDefaultCommands, "Right click"},
    {2, MouseSettingView::kDefaultCommands, "Scroll click"},
    {3, MouseSettingView::kDefaultCommands, "Forward"},
    {4, MouseSettingView::kDefaultCommands, "Back"},
    {5, MouseSettingView::kDefaultCommands, "Dpi up"},
    {6, MouseSettingView::kDefaultCommands, "Dpi down"},
    {9, -1, "Profile switch up"},
    {10, -1, "Profile swith down"},
    {8, -1, "Profile swith roll"},
    {11, -1, "Scroll up"},
    {12, -1, "Scroll down"},
    {MouseSettingView::kSingleKey, -1, "Single key assign..."},
    {MouseSettingView::kRecordMacro, -1, "Assign record macro"},
    {MouseSettingView::kDisableButton, -1, "Disable button"},
};

}  // namespace

MouseSettingView::MouseSettingView()
    : pollingButtons_{&m_BnPolling125, &m_BnPolling250, &m_BnPolling500, &m_BnPolling1000},
      functionMenus_{&m_CbnFunction1, &m_CbnFunction2, &m_CbnFunction3, &m_CbnFunction4,
                     &m_CbnFunction5, &m_CbnFunction6, &m_CbnFunction7} {}

void MouseSettingView::initCtrls(MacroSettingView* macroSetting) {
  m_pMacroSetting = macroSetting;
  for (size_t i = 0; i < pollingButtons_.size(); ++i) {
    placeWithPictures(*this, *pollingButtons_[i], kPollingButtons[i], GetImage);
  }
  for (int i = 0; i < kButtons; ++i) initFunctionMenu(i);
  placeWithPictures(*this, m_CheckEnablePointAcceleration, kAccelerationCheck, GetImage);
  initSliders();
}

void MouseSettingView::initFunctionMenu(int index) {
  KivComboxButton& menu = functionMenu(index);
  ControlLayout layout = functionMenuLayout(index);
  placeWithPictures(*this, menu, layout, GetImage);
  menu.setMenuWidth(static_cast<int32_t>(layout.frame.width));
  for (const FunctionItem& item : kFunctionItems) {
    if (item.parent < 0)
      menu.insertItem(item.id, item.caption);
    else
      menu.insertSubItem(item.id, item.parent, item.caption);
  }
  menu.setSubMenuWidth(kDefaultCommands, kSubMenuWidth);
  menu.setSubMenuWidth(kRecordMacro, kSubMenuWidth);
  menu.setCurItemID(index);
}

void MouseSettingView::initSliders() {
  struct SliderSetup {
    KivSliderCtrl& slider;
    const ControlLayout& layout;
    int32_t min, max, step, value;
  };
  SliderSetup sliders[] = {{m_SliderDoubleClick, kDoubleClickSlider, 200, 1400, 200, 1000},
                           {m_SliderScrollSpeed, kScrollSpeedSlider, 1, 6, 1, 1},
                           {m_SliderPointAcceleration, kAccelerationSlider, 1, 3, 1, 2}};
  Image thumb = GetImage(0, kSliderThumbId, {});
  for (SliderSetup& s : sliders) {
    placeControl(*this, s.slider, s.layout);
    s.slider.setImages(GetImage(0, s.layout.id, s.layout.frame), thumb, thumb,
                       GetImage(0, kSliderDisableId, {}));
    s.slider.setMinMaxValue(s.min, s.max, s.step);
    s.slider.setCurValue(s.value, false);
  }
  m_SliderPointAcceleration.enable(false);
}

void MouseSettingView::loadMacroList() {
  const std::vector<BoxItem> macros =
      m_pMacroSetting ? m_pMacroSetting->boxItems() : std::vector<BoxItem>{};
  for (KivComboxButton* menu : functionMenus_) {
    menu->removeItemList(kRecordMacro);
    for (const BoxItem& macro : macros)
      menu->insertSubItem(macro.m_nID, kRecordMacro, macro.m_strText);
    menu->setSubMenuWidth(kRecordMacro, kSubMenuWidth);
  }
}

void MouseSettingView::hideMenu() {
  for (KivComboxButton* menu : functionMenus_) menu->hideMenu();
}

bool MouseSettingView::canChangeLeftClick() const {
  int leftClicks = 0;
  for (const KivComboxButton* menu : functionMenus_)
    if (menu->getCurItemID() == kLeftClick) ++leftClicks;
  return leftClicks > 1;
}

void MouseSettingView::resetPollingRateButtonsState() {
  for (KivButton* button : pollingButtons_) button->setSelected(false);
}

void MouseSettingView::OnCmd(int32_t id) {
  logf("button %d click", id);
  for (size_t i = 0; i < pollingButtons_.size(); ++i)
    if (kPollingButtons[i].id == id) {
      resetPollingRateButtonsState();
      pollingButtons_[i]->setSelected(true);
      return;
    }
  if (id == kAccelerationCheck.id)
    m_SliderPointAcceleration.enable(m_CheckEnablePointAcceleration.isCheck());
}

void MouseSettingView::subMsg(int32_t id, int32_t value) {
  int index = id - functionMenuLayout(0).id;
  if (index < 0 || index >= kButtons) return;
  chooseFunction(functionMenu(index), value);
}

void MouseSettingView::chooseFunction(KivComboxButton& menu, int32_t item) {
  // The mouse always keeps at least one "Left click" button.
  if (menu.getCurItemID() == kLeftClick && item != kLeftClick && !canChangeLeftClick()) {
    menu.setDone(false);
    PopView warning;
    warning.initPopView(this, kLeftClickWarnDialog);
    warning.runModal();
    return;
  }
  if (item == kSingleKey) {
    // The dialog sets the menu's function when it is confirmed.
    PopView capture;
    capture.initPopView(this, kAssignKeyDialog);
    capture.setFunButton(&menu);
    capture.runModal();
    return;
  }
  if (item >= kFirstMacroItem) bindMacro(menu, item);
}

void MouseSettingView::bindMacro(KivComboxButton& menu, int32_t macroID) {
  menu.setDone(false);
  // The name comes from the library, not from the menu item of that ID: a macro's ID
  // may equal a fixed item's (255, "Default commands").
  std::string name;
  if (m_pMacroSetting)
    for (const BoxItem& macro : m_pMacroSetting->boxItems())
      if (macro.m_nID == macroID) name = macro.m_strText;
  menu.setButtonFunction(name, kRecordMacro, macroID);
}

void MouseSettingView::getUIData(Profile& profile) {
  for (int i = 0; i < kButtons; ++i) {
    KivComboxButton& menu = functionMenu(i);
    KeyButton& key = profile.key(i);
    int32_t item = menu.getCurItemID();
    key.setKeyMappingTable(static_cast<uint64_t>(item) & 0xFF);
    if (item == kSingleKey) {
      key.setkeyMacro(static_cast<uint64_t>(menu.getButtonFunction()));
    } else if (item == kRecordMacro) {
      key.setkeyMacro(static_cast<uint64_t>(menu.getButtonFunction()));
      // The library's current version; none when it no longer holds the macro, which
      // puts the button back to its default function.
      std::optional<MacroData> macro;
      if (m_pMacroSetting) macro = m_pMacroSetting->macroData(menu.getButtonFunction());
      profile.setButtonMacro(key, macro ? &*macro : nullptr);
    }
  }
  for (size_t i = 0; i < pollingButtons_.size(); ++i)
    if (pollingButtons_[i]->selected()) {
      profile.setPollingRate(kPollingIntervals[i]);
      break;
    }
  profile.setDoubleClickTime(static_cast<uint64_t>(m_SliderDoubleClick.getCurValue()));
  profile.setScrollSpeed(static_cast<uint64_t>(m_SliderScrollSpeed.getCurValue()));
  profile.setIsPointerAcceleration(m_CheckEnablePointAcceleration.isCheck() ? 1 : 0);
  profile.setPointerAcceleration(static_cast<uint64_t>(m_SliderPointAcceleration.getCurValue()));
}

void MouseSettingView::setUIData(Profile& profile) {
  loadMacroList();
  for (int i = 0; i < kButtons; ++i) {
    KivComboxButton& menu = functionMenu(i);
    const KeyButton& key = profile.key(i);
    switch (key.keyMappingTable()) {
      case kSingleKey:
        menu.setButtonFunction(std::string(keyName(key.keyMacro())), kSingleKey, key.keyMacro());
        break;
      case kRecordMacro:
        menu.setButtonFunction(profile.getMacroString(key), kRecordMacro, key.keyMacro());
        break;
      default:
        menu.setCurItemID(key.keyMappingTable());
        break;
    }
  }
  resetPollingRateButtonsState();
  for (size_t i = 0; i < pollingButtons_.size(); ++i)
    if (profile.pollingRate() == kPollingIntervals[i]) pollingButtons_[i]->setSelected(true);
  m_SliderDoubleClick.setCurValue(profile.doubleClickTime(), true);
  m_SliderScrollSpeed.setCurValue(profile.scrollSpeed(), true);
  bool acceleration = profile.isPointerAcceleration() != 0;
  m_CheckEnablePointAcceleration.check(acceleration);
  m_SliderPointAcceleration.enable(acceleration);
  m_SliderPointAcceleration.setCurValue(profile.pointerAcceleration(), false);
}

}  // namespace velt
