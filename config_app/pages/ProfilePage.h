#pragma once

#include "toolkit/KivImageView.h"

namespace velt {

class Profile;

// A page of the main window that edits part of a profile: setUIData loads its controls
// from the profile, getUIData writes them back into it.
class ProfilePage : public KivImageView {
 public:
  virtual void setUIData(Profile& profile) = 0;
  virtual void getUIData(Profile& profile) = 0;
};

}  // namespace velt
