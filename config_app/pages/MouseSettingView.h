#pragma once

#include <array>
#include <cstdint>

#include "config_app/pages/ProfilePage.h"
#include "model/KeyButton.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivComboxButton.h"
#include "toolkit/KivSliderCtrl.h"

namespace velt {

class MacroSettingView;

// The button page: the function of each of the seven buttons, the polling rate and the
// three host pointer settings. It keeps no profile: the main view hands it one to load
// and to fill. The macro page supplies the macros a button can be bound to.
class MouseSettingView : public ProfilePage {
 public:
  static constexpr int kButtons = 7;
  // Function menu item IDs: the button functions a profile's key record stores.
  static constexpr int32_t kDefaultCommands = 255;
  static constexpr int32_t kLeftClick = 0;
  static constexpr int32_t kSingleKey = kSingleKeyFunction;
  static constexpr int32_t kRecordMacro = kMacroFunction;
  static constexpr int32_t kDisableButton = kDisabledFunction;
  static constexpr int32_t kFirstMacroItem = 16;

  MouseSettingView();

  void initCtrls(MacroSettingView* macroSetting);
  void setUIData(Profile& profile) override;
  void getUIData(Profile& profile) override;
  // Offers the macro library's macros again under "Assign record macro".
  void loadMacroList();
  // Closes the open menu of each function menu.
  void hideMenu();
  // True when more than one button shows "Left click".
  bool canChangeLeftClick() const;
  void resetPollingRateButtonsState();

  void OnCmd(int32_t id) override;
  void subMsg(int32_t id, int32_t value) override;

  KivComboxButton& functionMenu(int index) { return *functionMenus_[static_cast<size_t>(index)]; }
  KivButton& pollingButton(int index) { return *pollingButtons_[static_cast<size_t>(index)]; }
  KivSliderCtrl& doubleClickSlider() { return m_SliderDoubleClick; }
  KivSliderCtrl& scrollSpeedSlider() { return m_SliderScrollSpeed; }
  KivSliderCtrl& accelerationSlider() { return m_SliderPointAcceleration; }
  KivCheckBox& accelerationCheck() { return m_CheckEnablePointAcceleration; }

 private:
  void initFunctionMenu(int index);
  void initSliders();
  void chooseFunction(KivComboxButton& menu, int32_t item);
  void bindMacro(KivComboxButton& menu, int32_t macroID);

  KivButton m_BnPolling125, m_BnPolling250, m_BnPolling500, m_BnPolling1000;
  KivComboxButton m_CbnFunction1, m_CbnFunction2, m_CbnFunction3, m_CbnFunction4, m_CbnFunction5,
      m_CbnFunction6, m_CbnFunction7;
  KivSliderCtrl m_SliderDoubleClick;
  KivSliderCtrl m_SliderScrollSpeed;
  KivSliderCtrl m_SliderPointAcceleration;
  KivCheckBox m_CheckEnablePointAcceleration;
  MacroSettingView* m_pMacroSetting = nullptr;

  // The same fields in the order of their IDs.
  std::array<KivButton*, 4> pollingButtons_;
  std::array<KivComboxButton*, kButtons> functionMenus_;
};

// The polling rate a profile stores (the report interval in ms) for each polling
// button, 125 Hz first.
inline constexpr std::array<uint16_t, 4> kPollingIntervals = {8, 4, 2, 1};

}  // namespace velt
