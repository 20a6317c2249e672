#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "config_app/pages/ProfilePage.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivCbnColorButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivEdit.h"
#include "toolkit/KivMouseStatic.h"
#include "toolkit/KivTimer.h"

namespace velt {

// The lighting page: which LED zones are lit, the mode (solid, blinking, pulsating,
// breathing), colour shift or a fixed colour, and the colours, from the palette, typed as
// red, green and blue, or one per zone. The preview shows the zones lit and animated as
// the mouse will show them. The page keeps nothing between setUIData and getUIData but
// its controls and the preview.
class ColorSettingView : public ProfilePage {
 public:
  static constexpr std::chrono::milliseconds kFieldPollInterval{500};

  void initCtrls();
  void setUIData(Profile& profile) override;
  void getUIData(Profile& profile) override;
  void OnCmd(int32_t id) override;

  // True shows the zone check boxes and colour buttons with every box cleared; false
  // hides them.
  void showSelectactiveButton(bool flag);
  // The palette and the three fields take input only with a fixed colour.
  void enableColors(bool flag);
  // One colour for every zone of the preview, written into the three fields.
  void setColor(uint8_t red, uint8_t green, uint8_t blue);
  // The fields' poll: applies what was typed since the last colour was set.
  void modeTimer();

  KivButton& ledOnButton() { return m_BnLEDON; }
  KivButton& ledOffButton() { return m_BnLEDOFF; }
  KivButton& ledSelectButton() { return m_BnLEDSelect; }
  KivCheckBox& zoneCheck(int zone) { return *zoneChecks_[static_cast<size_t>(zone)]; }
  KivCbnColorButton& zoneColorButton(int zone) { return *zoneButtons_[static_cast<size_t>(zone)]; }
  KivButton& paletteButton(int index) { return m_BnColor[static_cast<size_t>(index)]; }
  KivButton& modeButton(int mode) { return *modeButtons_[static_cast<size_t>(mode - 1)]; }
  KivButton& colorShiftButton() { return m_BnColorShift; }
  KivButton& solidColorButton() { return m_BnSolidColor; }
  KivEdit& redField() { return m_EditRed; }
  KivEdit& greenField() { return m_EditGreen; }
  KivEdit& blueField() { return m_EditBlue; }
  KivMouseStatic& preview() { return m_StaticMouse; }

 private:
  void initButtons();
  void initZones();
  void initFields();
  void selectSwitch(KivButton& chosen);
  void selectMode(int32_t mode);
  void setColorShift(bool flag);
  void applyZoneColor(int zone);
  std::array<KivEdit*, 3> fields() { return {&m_EditRed, &m_EditGreen, &m_EditBlue}; }

  KivButton m_BnLEDON, m_BnLEDOFF, m_BnLEDSelect;
  KivCheckBox m_CheckScrollWheel, m_CheckDPIIndicator, m_CheckDPIButtons, m_CheckLogoType;
  std::array<KivButton, 20> m_BnColor;  // m_BnColor11 ... m_BnColor45, row by row
  KivCbnColorButton m_CbnScrollWheelColor, m_CbnSDpiIndicotorColor, m_CbnDpiButtonsColor,
      m_CbnLogoTypeColor;
  KivButton m_BnSolid, m_BnBlinking, m_BnPulsating, m_BnBreathing;
  KivButton m_BnColorShift, m_BnSolidColor;
  KivEdit m_EditRed, m_EditGreen, m_EditBlue;
  KivMouseStatic m_StaticMouse;
  KivTimer m_time;
  // The texts whose colour the preview shows: set by every setColor, so that the poll
  // applies only what the user typed since.
  std::optional<std::array<std::string, 3>> m_appliedTexts;

  // The same fields by zone (bits 1, 2, 4, 8) and by mode (1 to 4).
  std::array<KivCheckBox*, 4> zoneChecks_ = {&m_CheckScrollWheel, &m_CheckDPIIndicator,
                                             &m_CheckDPIButtons, &m_CheckLogoType};
  std::array<KivCbnColorButton*, 4> zoneButtons_ = {
      &m_CbnScrollWheelColor, &m_CbnSDpiIndicotorColor, &m_CbnDpiButtonsColor, &m_CbnLogoTypeColor};
  std::array<KivButton*, 4> modeButtons_ = {&m_BnSolid, &m_BnBlinking, &m_BnPulsating,
                                            &m_BnBreathing};
};

// A field's text as the poll reads it: its last three characters, "255" for 256 and
// above.
std::string polledColorText(const std::string& text);
// The byte a colour text stands for: its leading integer, low 8 bits; 0 without one.
uint8_t colorTextByte(const std::string& text);

}  // namespace velt
