#include "config_app/pages/MacroSettingView.h"

#include "base/log.h"
#include "model/MacroData.h"
#include "model/folders.h"

namespace velt {

void MacroSettingView::readLocalData() {
  if (!library_.setMacroPath(macroFolder())) {
    logLine("cannot create the macro folder " + macroFolder());
    return;
  }
  library_.readMacroItems();
}

bool MacroSettingView::saveMacros() {
  return library_.saveMacroItems();
}

void MacroSettingView::addMacro(const MacroData& data) {
  library_.addMacro(data);
}

}  // namespace velt
