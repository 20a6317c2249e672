#pragma once

#include <string>

#include "config_app/mouse/VeltMouse.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivStatic.h"
#include "velt_release.h"

namespace velt {

// The support site every support button opens a page of.
inline constexpr const char* kSupportSiteAddress = "https://support.corvel.com";
// The application's version, as the support page and the main window show it.
inline constexpr const char* kApplicationVersion = kVeltVersion;

// The support page: the application's and the mouse's versions, and four buttons that
// open pages of the support site in the desktop's browser.
class SupportView : public KivImageView {
 public:
  // Builds the controls, then reads the firmware version: at start-up, the first time
  // the mouse is opened.
  // The mouse whose firmware version the page shows.
  void setMouse(VeltMouse& mouse) { m_mouse = &mouse; }
  void initCtrls();
  // Reads the mouse's firmware version and shows it; "-.--" without a mouse.
  void updateFirmVersion();
  void OnCmd(int32_t id) override;

  const KivStatic& firmwareVersion() const { return m_StaticFirmVersion; }

 private:
  VeltMouse* m_mouse = &deviceMouse();
  KivButton m_BnOnlineSupport;
  KivButton m_BnProductRegistration;
  KivButton m_BnDownloads;
  KivButton m_BnFQA;
  KivStatic m_StaticSoftVersion;
  KivStatic m_StaticFirmVersion;
};

}  // namespace velt
