#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/file_read.h"
#include "base/file_writer.h"

namespace velt {

// Every stored file of the system is a property list whose root is a dictionary of
// text values.
using TextDict = std::unordered_map<std::string, std::string>;
// Entries in the order they are written.
using TextEntries = std::vector<std::pair<std::string, std::string>>;

// Parses an XML or binary property list. String values are kept as they are;
// integers, reals and booleans as their text; arrays, dictionaries, data and dates
// are left out. False with the reason in `error` for anything that is not a
// dictionary within the limits of limits.h: kTooLarge beyond the size or node limit,
// kCorrupt for anything else.
bool parseTextDict(std::string_view bytes, TextDict& dict, FileReadError& error);
bool parseTextDict(std::string_view bytes, TextDict& dict, std::string& error);

// Reads the file at path (at most kMaxPlistBytes, `readBoundedFile`) and parses it;
// failures are logged.
bool readTextDict(const std::string& path, TextDict& dict);
bool readTextDict(const std::string& path, TextDict& dict, FileReadError& error);

// An XML property list (version 1.0, as macOS writes it). Text that XML cannot hold
// (broken UTF-8, control characters other than tab and line ends) becomes U+FFFD.
std::string toXmlPlist(const TextEntries& entries);
bool writeXmlPlist(const std::string& path, const TextEntries& entries,
                   FileWriter& writer = systemFileWriter());
// The same, with the reason a write failed or was refused in `error`.
bool writeXmlPlist(const std::string& path, const TextEntries& entries, FileWriter& writer,
                   std::string& error);

// Text forms of values. Integers as "%d" of their 32-bit value (so 4294967295 is
// "-1" and reads back as the same bits); reals as "%f", whatever the C locale.
std::string integerText(uint32_t value);
std::string realText(double value);
// The shortest text that reads back as exactly the same number ("0.023529411764705882"
// for 6/255), for values that must survive a save and a read unchanged.
std::string exactRealText(double value);

// Values as the system reads them; a missing key reads as 0, 0.0 or empty text.
// Integers: leading blanks, an optional sign and the leading decimal digits (later
// characters ignored, saturating at the 64-bit range); the caller keeps the field's
// width. Reals: the leading number in single precision.
int64_t dictInteger(const TextDict& dict, const std::string& key);
float dictReal(const TextDict& dict, const std::string& key);
std::string dictText(const TextDict& dict, const std::string& key);

}  // namespace velt
