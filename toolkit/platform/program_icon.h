#pragma once

#include <QIcon>

#include <array>
#include <string>

namespace velt {

// The programs' icon as the sheet generator draws it: "ProgramIcon_<size>.png" at each
// size, compiled in (":/icons/") and installed into the icon theme, and
// "ProgramIcon.svg", installed only.
inline constexpr std::array<int, 7> kProgramIconSizes = {16, 24, 32, 48, 64, 128, 256};
inline constexpr const char* kProgramIconSvgFile = "ProgramIcon.svg";
inline std::string programIconFile(int size) {
  return "ProgramIcon_" + std::to_string(size) + ".png";
}

// Every size of the icon, for the windows and the tray.
QIcon programIcon();

}  // namespace velt
