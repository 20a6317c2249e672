// The profile menus, Reset to default, import and export.
#include <string_view>

#include "config_app/dialogs/PopView.h"
#include "config_app/main/VELTView.h"
#include "model/MacroData.h"
#include "model/plist_file.h"
#include "toolkit/UiServices.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/layout/main_layout.h"

namespace velt {

namespace {

enum ProfileMenuItem { kRename = 1, kSave, kExport, kImport, kDisableEnable };

constexpr std::string_view kProfileExtension = ".plist";

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The file name without its folder, for messages.
std::string fileNameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void VELTView::subMsg(int32_t id, int32_t value) {
  int index = id - kFirstProfileMenuId;
  if (index < 0 || index >= kProfiles) return;
  Profile& menuProfile = profile(index);
  switch (value) {
    case kRename:
      renameProfile(index);
      break;
    case kSave: {
      std::string error;
      if (!menuProfile.save(menuProfile.profilePath(), error))
        alert("Could not save " + menuProfile.profileName() + ": " + error);
      break;
    }
    case kExport:
      exportProfile(menuProfile);
      break;
    case kImport:
      importProfile(menuProfile);
      break;
    case kDisableEnable:
      toggleProfileEnable(index);
      break;
    default:
      break;
  }
}

void VELTView::renameProfile(int index) {
  PopView dialog;
  dialog.initPopView(this, kRenameDialog);
  dialog.textField().setText(profile(index).profileName());
  if (dialog.runModal() != PopView::kConfirmed) return;
  std::string name = dialog.textField().text();
  profile(index).setProfileName(name);
  profileTab(index).setCaption(name);
}

void VELTView::toggleProfileEnable(int index) {
  Profile& p = profile(index);
  p.setEnalbe(p.enable() ? 0 : 1);
  profileTab(index).setEnable(p.enable() != 0);
  followCurrentProfileEnable();
}

void VELTView::resetToDefault() {
  PopView dialog;
  dialog.initPopView(this, kResetWarnDialog);
  if (dialog.runModal() != PopView::kConfirmed) return;
  for (int i = 0; i < kProfiles; ++i) {
    Profile& p = profile(i);
    p.reset();
    p.setProfileName(ProfileSet::defaultName(i));
  }
  // Reset enables every profile: the tabs, OK and Apply follow in setUIData.
  setUIData();
  applay();
}

void VELTView::exportProfile(Profile& p) {
  auto chosen = uiServices().savePanel("Save profile", p.profileName() + ".plist");
  if (!chosen) return;
  getUIData();
  // A name that already ends in ".plist" keeps it once.
  std::string path = *chosen;
  if (!endsWith(path, kProfileExtension)) path += kProfileExtension;
  std::string error;
  if (!p.save(path, error)) alert("Could not export " + p.profileName() + ": " + error);
}

void VELTView::importProfile(Profile& p) {
  auto chosen = uiServices().openPanel("Choose a profile file");
  if (!chosen) return;
  FileReadError error;
  if (!p.read(*chosen, error)) {
    alert(fileNameOf(*chosen) + " was not imported: " + error.reason);
    return;
  }
  resetProfileMacro(p);
  setUIData();
}

void VELTView::resetProfileMacro() {
  for (int i = 0; i < kProfiles; ++i) resetProfileMacro(profile(i));
}

void VELTView::resetProfileMacro(Profile& p) {
  for (const MacroData* macro : p.macroDatas())
    if (macro->eventCount() > 0) m_viewMacroSetting.addMacro(*macro);
}

}  // namespace velt
