#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velt {

inline constexpr std::string_view kMacroFileExtension = ".macro";

// The file name of each library macro, in library order: the name followed by
// ".macro" when the name is usable as it is, otherwise a safe form of it. Separators,
// control characters, broken UTF-8 and a leading "." become "_", an empty name
// becomes "macro", long names are cut, and a name taken already (ignoring ASCII case,
// as macOS folders do) gets "-2", "-3" ... so that no two macros share a file.
std::vector<std::string> macroFileNames(const std::vector<std::string>& macroNames);

}  // namespace velt
