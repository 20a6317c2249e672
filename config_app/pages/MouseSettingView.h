#pragma once

#include "config_app/pages/ProfilePage.h"

namespace velt {

// The button page: the seven button functions, polling rate and host pointer settings.
// Its controls come with the button page itself; until then it edits nothing.
class MouseSettingView : public ProfilePage {
 public:
  void setUIData(Profile&) override {}
  void getUIData(Profile&) override {}
  // Offers the macro library's macros again.
  void loadMacroList() {}
  // Closes its open function menus.
  void hideMenu() {}
};

}  // namespace velt
