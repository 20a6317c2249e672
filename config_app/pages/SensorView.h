#pragma once

#include "config_app/pages/ProfilePage.h"

namespace velt {

// The sensor page: DPI levels, pointer speed, lift-off distance and surface analysis.
// Its controls come with the sensor page itself; until then it edits nothing.
class SensorView : public ProfilePage {
 public:
  void setUIData(Profile&) override {}
  void getUIData(Profile&) override {}
};

}  // namespace velt
