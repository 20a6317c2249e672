#include "emulator/state_dir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/file_read.h"
#include "base/file_writer.h"
#include "base/log.h"
#include "emulator/state_text.h"

namespace velt {
namespace {

// A state file holds five slots in hex and some fields: about 21 KB.
constexpr size_t kMaxStateFileSize = 256 * 1024;

bool writeAt(int fd, std::span<const uint8_t> data, off_t offset) {
  while (!data.empty()) {
    const ssize_t put = ::pwrite(fd, data.data(), data.size(), offset);
    if (put <= 0) return false;
    data = data.subspan(static_cast<size_t>(put));
    offset += put;
  }
  return true;
}

}  // namespace

std::unique_ptr<StateDir> StateDir::open(const std::string& dir, std::string& error) {
  std::error_code code;
  std::filesystem::create_directories(dir, code);
  if (code) {
    error = "cannot create the emulated mouse folder " + dir + ": " + code.message();
    return nullptr;
  }
  const std::string lockPath = dir + "/lock";
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = "cannot open " + lockPath + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<StateDir>(new StateDir(dir, fd));
}

StateDir::~StateDir() {
  ::close(lockFd_);
}

bool StateDir::transact(const std::function<bool(MouseState& state)>& change) {
  std::lock_guard<std::mutex> threads(mutex_);
  if (::flock(lockFd_, LOCK_EX) != 0) return false;
  const MouseState before = load();
  MouseState state = before;
  bool ok = change(state);
  if (state != before) ok = save(encodeState(state)) && ok;
  ::flock(lockFd_, LOCK_UN);
  return ok;
}

// A missing file is a fresh mouse; so is one that cannot be read, which is kept aside
// so that nothing of it is lost.
MouseState StateDir::load() {
  MouseState state;
  const std::string path = file("mouse-state");
  if (::access(path.c_str(), F_OK) != 0) return state;
  // Not a regular file (a pipe would block the reader for ever), unreadable or too large:
  // set aside as well.
  FileReadError readError;
  std::optional<std::string> stored = readBoundedFile(path, kMaxStateFileSize, readError);
  std::string error = "cannot be read or is too large";
  if (stored && decodeState(*stored, state, error)) return state;
  const std::string kept = file("mouse-state.bad");
  ::rename(path.c_str(), kept.c_str());
  logLine("emulated mouse: " + path + ": " + error +
          "; starting as a fresh mouse, the old file is " + kept);
  return MouseState{};
}

bool StateDir::save(const std::string& text) {
  std::string error;
  if (systemFileWriter().replaceFile(file("mouse-state"), text, error)) return true;
  logLine("emulated mouse: cannot write " + file("mouse-state") + ": " + error);
  return false;
}

bool StateDir::clearIncoming() {
  return systemFileWriter().replaceFile(file("firmware.incoming"), {});
}

bool StateDir::writeIncomingBlock(uint16_t block, std::span<const uint8_t> data) {
  const int fd = ::open(file("firmware.incoming").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = writeAt(fd, data, static_cast<off_t>(block) * kFirmwareBlockSize);
  return ::close(fd) == 0 && written;
}

std::optional<std::vector<uint8_t>> StateDir::storeIncoming(uint16_t blocks) {
  const size_t size = static_cast<size_t>(blocks) * kFirmwareBlockSize;
  FileReadError readError;
  std::optional<std::string> incoming = readBoundedFile(file("firmware.incoming"), size, readError);
  if (!incoming) return std::nullopt;
  // Blocks never sent read as zeros.
  incoming->resize(size, '\0');
  if (!systemFileWriter().replaceFile(file("firmware.bin"), *incoming)) return std::nullopt;
  ::unlink(file("firmware.incoming").c_str());
  return std::vector<uint8_t>(incoming->begin(), incoming->end());
}

}  // namespace velt
