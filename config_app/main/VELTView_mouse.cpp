// What the main view does with the mouse and the host: the poll, the apply sequence and
// the host pointer settings.
#include <string>
#include <vector>

#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/main/VELTView.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "device/mouse_lock.h"
#include "model/profile_apply.h"
#include "toolkit/UiServices.h"
#include "toolkit/main_loop.h"

namespace velt {

void VELTView::updateProfileID() {
  // Never inside an apply or while a dialog, panel or alert waits for the user.
  if (!IsOpen() || m_bWrittingData || modalSessionRunning()) return;
  // Another program (veltctl, VELTUpdate) has the mouse: skip a beat rather than wait.
  MouseLock mouse(std::try_to_lock);
  if (!mouse.held()) return;
  uint8_t id = 0;
  if (Get_current_profile_id(id) != kResultSuccess) return;
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
  ApplyOutcome outcome = applyProfilesToMouse(m_Profiles.all(), m_curProfile->profileID());
  // A file that could not be written is said, not passed over: the settings would be
  // gone at the next start.
  for (const std::string& path : unsaved) alert("Could not save the profile file " + path);
  if (!macrosSaved)
    alert("Could not save the macro library in " + m_viewMacroSetting.library().macroPath());
  // A mouse this user may not open is not "not found": the alert says what to do.
  const bool noAccess =
      outcome.failure == ApplyFailure::kMouseNotFound && isMouseAttached(kNormalProductId);
  if (!outcome.success) alert(noAccess ? kMouseNoAccessMessage : outcome.message);
  m_bWrittingData = false;
}

}  // namespace velt
