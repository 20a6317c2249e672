#pragma once

#include <array>
#include <string>

#include "model/Profile.h"

namespace velt {

// The mouse's five profiles as VELTPLUS and `veltctl apply` keep them. Index i holds
// profile i + 1: it lives in the mouse's slot profileSlot(i + 1) (1, 2, 3, 4, then 0),
// is named "Profile<i + 1>" until renamed and is stored as profileFileName(i + 1) in the
// profile folder (`model/folders.h`).
class ProfileSet {
 public:
  static constexpr int kCount = 5;

  // Every profile at its defaults, with its slot, its default name and its file in
  // `folder` (ending with a separator). Nothing is read.
  void initProfiles(const std::string& folder);
  // "Profile1" .. "Profile5".
  static std::string defaultName(int index);

  Profile& operator[](int index) { return profiles_[static_cast<size_t>(index)]; }
  const Profile& operator[](int index) const { return profiles_[static_cast<size_t>(index)]; }
  // The five in slot order of the apply (`applyProfilesToMouse`).
  std::array<const Profile*, kCount> all() const;

 private:
  std::array<Profile, kCount> profiles_;
};

}  // namespace velt
