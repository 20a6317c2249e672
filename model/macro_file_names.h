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
//
// `kept`, when given, holds for each macro the file it already has in the folder (or
// nothing): a macro keeps that file while it is a name of this form and no earlier
// macro keeps it, and new names avoid every kept one. So a write never puts one macro
// into a file that the list on disk names for another.
std::vector<std::string> macroFileNames(const std::vector<std::string>& macroNames,
                                        const std::vector<std::string>& kept = {});

// Whether `fileName` has the form macroFileNames gives.
bool isMacroFileName(std::string_view fileName);

}  // namespace velt
