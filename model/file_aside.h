#pragma once

#include <optional>
#include <string>

#include "model/plist_file.h"

namespace velt {

// Moves a stored file that is there but cannot be read out of the way, in its own
// folder, as "<path>.<why>-<YYYYMMDD-HHMMSS>" in local time ("default2.plist.corrupt-
// 20261210-143012"; WHY is corrupt, too-large, unreadable or not-a-file), with "-2",
// "-3" ... when that name is taken; so that the next save cannot destroy what might
// still be recovered. The new path, or nothing (logged) when it cannot be renamed.
std::optional<std::string> setFileAside(const std::string& path, FileProblem problem);

// The last part of a path: "default2.plist" for "/home/u/Corvel/default2.plist".
std::string fileNameOf(const std::string& path);

}  // namespace velt
