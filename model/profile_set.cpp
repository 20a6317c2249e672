#include "model/profile_set.h"

#include "model/folders.h"

namespace velt {

void ProfileSet::initProfiles(const std::string& folder) {
  for (int i = 0; i < kCount; ++i) {
    Profile& p = (*this)[i];
    p.initProfile();
    p.setProfileID(static_cast<uint64_t>(profileSlot(i + 1)));
    p.setProfileName(defaultName(i));
    p.setProfilePath(folder + profileFileName(i + 1));
  }
}

std::string ProfileSet::defaultName(int index) {
  return "Profile" + std::to_string(index + 1);
}

std::array<const Profile*, ProfileSet::kCount> ProfileSet::all() const {
  std::array<const Profile*, kCount> list;
  for (int i = 0; i < kCount; ++i) list[static_cast<size_t>(i)] = &(*this)[i];
  return list;
}

}  // namespace velt
