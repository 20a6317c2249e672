// What the main view does with the mouse and the host: the poll, the apply sequence and
// the host pointer settings.
#include <string>
#include <vector>

#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/main/VELTView.h"
#include "model/profile_apply.h"
#include "toolkit/UiServices.h"
#include "toolkit/main_loop.h"

namespace velt {

void VELTView::updateProfileID() {
  // Never inside an apply or while a dialog, panel or alert waits for the user.
  if (!m_mouse.isOpen() || m_bWrittingData || modalSessionRunning()) return;
  // Another program (veltctl, VELTUpdate) has the mouse: skip a beat rather than wait.
  const std::optional<uint8_t> polled = m_mouse.pollCurrentProfile();
  if (!polled) return;
  const uint8_t id = *polled;
  if (id == m_nLastProfileID) return;
  m_nLastProfileID = id;
  for (int i = 0; i < kProfiles; ++i)
    if (profile(i).profileID() == id) {
      clickProfile(i);
      break;
    }
  systemSetting();
}

void VELTView::systemSetting() {
  if (!m_curProfile || !m_hostSettings) return;
  m_hostSettings->apply(pointerSettingsOf(*m_curProfile), uiServices());
}

void VELTView::applay() {
  m_bWrittingData = true;
  getUIData();
  systemSetting();
  std::vector<std::string> unsaved;
  for (int i = 0; i < kProfiles; ++i)
    if (!profile(i).save()) unsaved.push_back(profile(i).profilePath());
  bool macrosSaved = m_viewMacroSetting.saveMacros();
  ApplyOutcome outcome = m_mouse.apply(m_Profiles.all(), m_curProfile->profileID());
  // A file that could not be written is said, not passed over: the settings would be
  // gone at the next start.
  for (const std::string& path : unsaved) alert("Could not save the profile file " + path);
  if (!macrosSaved)
    alert("Could not save the macro library in " + m_viewMacroSetting.library().macroPath());
  // A mouse this user may not open is not "not found": the alert says what to do.
  const bool noAccess = outcome.failure == ApplyFailure::kMouseNotFound && m_mouse.isAttached();
  if (!outcome.success) alert(noAccess ? m_mouse.noAccessMessage() : outcome.message);
  m_bWrittingData = false;
}

}  // namespace velt
