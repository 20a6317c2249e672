#include "emulator/state_dir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/log.h"
#include "emulator/state_text.h"

namespace velt {
namespace {

// A state file holds five slots in hex and some fields: about 21 KB.
constexpr size_t kMaxStateFileSize = 256 * 1024;

// The whole file; nullopt when it does not exist, is not a regular file (a pipe would
// block the reader for ever), cannot be read or holds more than `maxSize` bytes.
std::optional<std::string> readWhole(const std::string& path, size_t maxSize) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string text;
  char buffer[16384];
  ssize_t got = 0;
  while (text.size() <= maxSize) {
    got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  if (got < 0 || text.size() > maxSize) return std::nullopt;
  return text;
}

bool writeAt(int fd, std::span<const uint8_t> data, off_t offset) {
  while (!data.empty()) {
    const ssize_t put = ::pwrite(fd, data.data(), data.size(), offset);
    if (put <= 0) return false;
    data = data.subspan(static_cast<size_t>(put));
    offset += put;
  }
  return true;
}

// Replaces `path` with `data` through a temporary file and a rename.
bool replaceFile(const std::string& path, std::span<const uint8_t> data) {
  const std::string temporary = path + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = writeAt(fd, data, 0);
  const bool closed = ::close(fd) == 0;
  if (written && closed && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

std::span<const uint8_t> bytesOf(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
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
  std::optional<std::string> stored = readWhole(path, kMaxStateFileSize);
  std::string error = "cannot be read or is too large";
  if (stored && decodeState(*stored, state, error)) return state;
  const std::string kept = file("mouse-state.bad");
  ::rename(path.c_str(), kept.c_str());
  logLine("emulated mouse: " + path + ": " + error +
          "; starting as a fresh mouse, the old file is " + kept);
  return MouseState{};
}

bool StateDir::save(const std::string& text) {
  if (replaceFile(file("mouse-state"), bytesOf(text))) return true;
  logLine("emulated mouse: cannot write " + file("mouse-state") + ": " + std::strerror(errno));
  return false;
}

bool StateDir::clearIncoming() {
  return replaceFile(file("firmware.incoming"), {});
}

bool StateDir::writeIncomingBlock(uint16_t block, std::span<const uint8_t> data) {
  const int fd = ::open(file("firmware.incoming").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = writeAt(fd, data, static_cast<off_t>(block) * kFirmwareBlockSize);
  return ::close(fd) == 0 && written;
}

std::optional<std::vector<uint8_t>> StateDir::storeIncoming(uint16_t blocks) {
  const size_t size = static_cast<size_t>(blocks) * kFirmwareBlockSize;
  std::optional<std::string> incoming = readWhole(file("firmware.incoming"), size);
  if (!incoming) return std::nullopt;
  // Blocks never sent read as zeros.
  incoming->resize(size, '\0');
  if (!replaceFile(file("firmware.bin"), bytesOf(*incoming))) return std::nullopt;
  ::unlink(file("firmware.incoming").c_str());
  return std::vector<uint8_t>(incoming->begin(), incoming->end());
}

}  // namespace velt
