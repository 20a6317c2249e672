#include "device/mouse_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "base/log.h"
#include "device/hid_device.h"

namespace velt {
namespace {

struct HeldFile {
  uint32_t location;
  int fd;
};

// The process's one holder: a thread and how deep it nests, and the lock files it
// holds. `files` is touched only by the holding thread.
struct Holder {
  std::mutex mutex;
  std::condition_variable released;
  std::thread::id owner;
  int depth = 0;
  std::vector<HeldFile> files;
};

Holder& holder() {
  static Holder h;
  return h;
}

constexpr const char* kInterleaveWarning =
    "other programs may interleave with this one on the mouse";

// A lock that cannot be taken must not stop the programs working; it is said once.
void reportOnce(const std::string& line) {
  static std::atomic<bool> said{false};
  if (said.exchange(true)) return;
  reportLine(line);
}

bool enterThread(bool wait) {
  Holder& h = holder();
  std::unique_lock<std::mutex> lock(h.mutex);
  const std::thread::id self = std::this_thread::get_id();
  if (h.depth > 0 && h.owner != self) {
    if (!wait) return false;
    h.released.wait(lock, [&] { return h.depth == 0; });
  }
  h.owner = self;
  ++h.depth;
  return true;
}

void leaveThread() {
  Holder& h = holder();
  {
    std::lock_guard<std::mutex> lock(h.mutex);
    if (--h.depth > 0) return;
    // Closing the file releases its flock; done before another thread may take it.
    for (const HeldFile& file : h.files) ::close(file.fd);
    h.files.clear();
    h.owner = std::thread::id();
  }
  h.released.notify_all();
}

// The lock file of the mouse in the slot, unless this thread holds it already. False
// only when `wait` is false and another program holds it.
bool holdFileOfSlot(bool wait) {
  const std::optional<uint32_t> location = slotLocationId();
  if (!location) return true;
  Holder& h = holder();
  for (const HeldFile& file : h.files) {
    if (file.location == *location) return true;
  }
  const std::string path = lockFilePath(*location);
  if (path.empty()) {
    reportOnce("no private runtime folder for the mouse lock (XDG_RUNTIME_DIR, /tmp/velt-UID); " +
               std::string(kInterleaveWarning));
    return true;
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    reportOnce("cannot open " + path + ": " + std::strerror(errno) + "; " + kInterleaveWarning);
    return true;
  }
  int status = 0;
  while ((status = ::flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (status != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return false;
    reportOnce("cannot lock " + path + ": " + std::strerror(error) + "; " + kInterleaveWarning);
    return true;
  }
  h.files.push_back({*location, fd});
  return true;
}

bool isPrivateFolder(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
         (info.st_mode & 077) == 0;
}

}  // namespace

MouseLock::MouseLock() {
  enterThread(true);
  holdFileOfSlot(true);
  held_ = true;
}

MouseLock::MouseLock(std::try_to_lock_t) {
  if (!enterThread(false)) return;
  if (!holdFileOfSlot(false)) {
    leaveThread();
    return;
  }
  held_ = true;
}

MouseLock::~MouseLock() {
  if (held_) leaveThread();
}

SlotHold::SlotHold() {
  enterThread(true);
}

SlotHold::~SlotHold() {
  leaveThread();
}

std::string lockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &info) == 0 &&
      S_ISDIR(info.st_mode)) {
    return std::string(runtime) + "/";
  }
  // Without a runtime folder: one of our own in /tmp, which nobody else may plant.
  const std::string own = "/tmp/velt-" + std::to_string(::getuid());
  if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return "";
  return isPrivateFolder(own) ? own + "/" : "";
}

std::string lockFilePath(uint32_t locationId) {
  const std::string folder = lockFolder();
  if (folder.empty()) return "";
  char name[32];
  std::snprintf(name, sizeof name, "velt-mouse-%08x.lock", locationId);
  return folder + name;
}

}  // namespace velt
