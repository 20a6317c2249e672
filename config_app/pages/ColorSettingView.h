#pragma once

#include "config_app/pages/ProfilePage.h"

namespace velt {

// The lighting page: the four LED zones, their colours and effect.
// Its controls come with the lighting page itself; until then it edits nothing.
class ColorSettingView : public ProfilePage {
 public:
  void setUIData(Profile&) override {}
  void getUIData(Profile&) override {}
};

}  // namespace velt
