#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace velt {

// The file operations behind every stored file and every file a user names, so that
// tests can fail any one of them. Each operation either happens completely or not at
// all.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Replaces the file at path as a whole: a temporary file in the same folder,
  // flushed to disk, then renamed over the old one. A symbolic link is followed and
  // its target replaced; an existing file keeps its permissions (and, where allowed,
  // its owner); a path that exists and is not a regular file (a folder, a device, a
  // pipe) is refused and left alone. False with a one-line reason in `error`.
  virtual bool replaceFile(const std::string& path, std::string_view data, std::string& error) = 0;
  bool replaceFile(const std::string& path, std::string_view data) {
    std::string error;
    return replaceFile(path, data, error);
  }
  virtual bool removeFile(const std::string& path) = 0;
};

FileWriter& systemFileWriter();

// Temporary files of replaceFile are hidden files named after their target with this
// infix and a random suffix; a crash can leave one behind.
inline constexpr std::string_view kTempFileInfix = ".tmp-";
bool isTempFileName(std::string_view fileName);
// The file that a temporary file of replaceFile was to become: "default2.plist" for
// ".default2.plist.tmp-a1B2c3"; empty for any other name.
std::string tempFileTarget(std::string_view fileName);
// Removes the temporary files in `folder` that writes cut short (a kill, a crash, a
// full disk) left behind, for the targets `ownTarget` accepts: each part of the
// program cleans up after its own writes only. False when one could not be removed.
bool removeStaleTempFiles(const std::string& folder,
                          const std::function<bool(const std::string&)>& ownTarget,
                          FileWriter& writer = systemFileWriter());

// Lets the first `allowed` operations through to the system writer and fails every
// later one without touching anything, as if the process had died there.
class FailingFileWriter : public FileWriter {
 public:
  explicit FailingFileWriter(int allowed) : allowed_(allowed) {}
  using FileWriter::replaceFile;
  bool replaceFile(const std::string& path, std::string_view data, std::string& error) override;
  bool removeFile(const std::string& path) override;
  int operations() const { return operations_; }

 private:
  bool pass();
  int allowed_;
  int operations_ = 0;
};

}  // namespace velt
