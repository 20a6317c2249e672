#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config_app/mouse/VeltMouse.h"
#include "config_app/pages/ColorSettingView.h"
#include "config_app/pages/MacroSettingView.h"
#include "config_app/pages/MouseSettingView.h"
#include "config_app/pages/SensorView.h"
#include "config_app/pages/SupportView.h"
#include "model/Profile.h"
#include "model/profile_set.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivComboxButton.h"
#include "toolkit/KivStatic.h"
#include "toolkit/KivTimer.h"

namespace velt {

class HostPointerSettings;
class KivWindow;

// The main view of VELTPLUS. It owns the five profiles and the five pages, moves data
// between the pages and the current profile, applies every profile to the mouse, and
// follows the mouse's own profile switches with a one-second poll.
class VELTView : public KivImageView {
 public:
  static constexpr int kProfiles = ProfileSet::kCount;
  static constexpr std::chrono::milliseconds kPollInterval{1000};

  // `mouse` is the program's one way to the mouse; the view hands it to its pages.
  explicit VELTView(std::unique_ptr<HostPointerSettings> hostSettings,
                    VeltMouse& mouse = deviceMouse());
  ~VELTView() override;

  // Builds the whole main window state: profiles from their files, pages and controls,
  // the pages loaded from the current profile, the profile macros in the library.
  void initWithFrame(const Rect& rect) override;
  // Starts the poll.
  void awakeFromNib();
  // Tells the user, once and in one alert, which profiles start from their defaults
  // because their files could not be read, and where the old files are now.
  void reportStartupProblems();
  // The window the view is the content of: the drag band makes it movable.
  void setWindow(KivWindow* window) { m_MainWindow = window; }

  // The window went off screen (closed to the tray) or came back on. A keyboard grab
  // ends with its window on every desktop, so a recording that goes on takes the keys
  // again when the window is shown.
  void windowHidden();
  void windowShown();

  void OnCmd(int32_t id) override;
  void subMsg(int32_t id, int32_t value) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseMoved(const MouseEvent& event) override;

  void getUIData();
  void setUIData();
  void clickProfile(int index);  // 0..4, profile tab 1..5
  // The poll's tick.
  void updateProfileID();
  void applay();
  void systemSetting();
  void importProfile(Profile& profile);
  void exportProfile(Profile& profile);
  void resetProfileMacro();
  void resetProfileMacro(Profile& profile);

  MouseSettingView& mouseSettingView() { return m_viewMouseSetting; }
  SensorView& sensorView() { return m_viewSensor; }
  ColorSettingView& colorSettingView() { return m_viewColorSetting; }
  MacroSettingView& macroSettingView() { return m_viewMacroSetting; }
  SupportView& supportView() { return m_viewSupport; }
  Profile& curProfile() { return *m_curProfile; }
  Profile& profile(int index) { return m_Profiles[index]; }
  KivButton& profileTab(int index) { return *profileTabs_[static_cast<size_t>(index)]; }
  KivButton& pageTab(int index) { return *pageTabs_[static_cast<size_t>(index)]; }
  KivComboxButton& profileMenu(int index) { return *profileMenus_[static_cast<size_t>(index)]; }
  KivImageView& page(int index) { return *pages_[static_cast<size_t>(index)]; }
  KivButton& okButton() { return m_BnOK; }
  KivButton& applyButton() { return m_BnApply; }
  bool isWritingData() const { return m_bWrittingData; }

 private:
  void initProfiles();
  void initCtrls();
  void initPages();
  void initTabs();
  void initBottomRow();
  void hidePages();
  void resetSettingTabState();
  void reSelectedProfile();
  void showPage(int index);
  void renameProfile(int index);
  void toggleProfileEnable(int index);
  void resetToDefault();
  void followCurrentProfileEnable();
  void alert(const std::string& message);

  MouseSettingView m_viewMouseSetting;
  SensorView m_viewSensor;
  ColorSettingView m_viewColorSetting;
  MacroSettingView m_viewMacroSetting;
  SupportView m_viewSupport;
  KivButton m_BnMouseSetting, m_BnSensorPerformance, m_BnColorSettings, m_BnMacroSettings,
      m_BnSupport;
  KivComboxButton m_CbnProfile1, m_CbnProfile2, m_CbnProfile3, m_CbnProfile4, m_CbnProfile5;
  KivButton m_BnProfile1, m_BnProfile2, m_BnProfile3, m_BnProfile4, m_BnProfile5;
  KivButton m_BnResettoDefault;
  KivButton m_BnOK, m_BnApply, m_BnCancel;
  KivComboxButton m_CbnLanguage;
  KivStatic m_StaticFirmVer;
  ProfileSet m_Profiles;
  Profile* m_curProfile = &m_Profiles[0];
  bool m_bWrittingData = false;
  KivTimer m_Timer;
  // The last profile number the poll read; 255 until the first read, so that the first
  // successful poll always selects the mouse's profile.
  uint8_t m_nLastProfileID = 255;

  // The same fields in the order of their IDs, for the handlers.
  std::array<KivImageView*, kProfiles> pages_;
  std::array<KivButton*, kProfiles> pageTabs_;
  std::array<KivButton*, kProfiles> profileTabs_;
  std::array<KivComboxButton*, kProfiles> profileMenus_;

  std::unique_ptr<HostPointerSettings> m_hostSettings;
  VeltMouse& m_mouse;
  std::vector<std::string> m_startupNotices;
  KivWindow* m_MainWindow = nullptr;
};

}  // namespace velt
