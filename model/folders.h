#pragma once

#include <string>

namespace velt {

// Where the stored state lives: "<home>/Corvel/VELTPLUS/Profiles/" and
// "<home>/Corvel/VELTPLUS/Macros/", each ending with a separator. Home is $HOME, or
// the user database's entry when it is unset.
std::string profileFolder();
std::string macroFolder();
// "default1.plist" .. "default5.plist" for profiles 1..5.
std::string profileFileName(int profile);
// Whether the file name is one of those five.
bool isProfileFileName(const std::string& fileName);
// The device slot of profiles 1..5: 1, 2, 3, 4 and 0.
int profileSlot(int profile);

}  // namespace velt
