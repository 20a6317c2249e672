#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace velt {

// Why a file was not read.
enum class FileProblem {
  kNone,
  kMissing,     // no file at the path
  kNotAFile,    // a folder, a device, a pipe ...
  kTooLarge,    // above the reader's limit
  kUnreadable,  // it cannot be opened or read (permissions, I/O)
  kCorrupt,     // not what the reader expects (for a stored file: a property-list dictionary)
};
struct FileReadError {
  FileProblem problem = FileProblem::kNone;
  // One line for the user: "not a property list", "a folder", "Permission denied" ...
  std::string reason;
};

// The whole regular file at `path` if it holds at most `maxBytes` bytes; otherwise
// nullopt with the problem and its reason ("a folder", "not a regular file", "file too
// large", or the system's reason) in `error`. The size is checked before reading, and
// a file that grows meanwhile is refused once it passes the limit, so a large or special
// file (a device, a pipe) costs no more than a small one and never blocks the reader.
std::optional<std::string> readBoundedFile(const std::string& path, size_t maxBytes,
                                           FileReadError& error);

// Reads the regular file at `path` into `buffer` if it holds exactly buffer.size()
// bytes, so that a caller that knows the size reads into memory of its choosing without
// a copy; false with the problem otherwise (a file of another size is kCorrupt).
bool readExactFile(const std::string& path, std::span<char> buffer, FileReadError& error);

}  // namespace velt
