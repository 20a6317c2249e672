#include "device/mouse_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "base/log.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "tests/emulator/raw_mouse.h"
#include "tests/support/scoped_env.h"

namespace velt {
namespace {

using namespace std::chrono_literals;

// The emulated mouse, opened, with the lock files in a runtime folder of the test's own.
class MouseLockTest : public testing::Test {
 protected:
  void SetUp() override {
    setHidHost(makeHost(folder.path() + "/mouse"));
    ASSERT_TRUE(Open_device());
  }
  void TearDown() override {
    Close_device();
    setHidHost(nullptr);
  }
  std::string lockFile() const { return lockFilePath(*slotLocationId()); }

  test::TempFolder runtime;
  test::ScopedEnv runtimeFolder{"XDG_RUNTIME_DIR", runtime.path()};
  test::TempFolder folder;
};

// Another program: a child process that takes the mouse's lock file as our programs
// do, says so, and keeps it until it dies.
class OtherProgram {
 public:
  explicit OtherProgram(const std::string& lockFile) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
      if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
      if (::write(ready[1], "x", 1) != 1) ::_exit(1);
      for (;;) ::pause();
    }
    char c = 0;
    ::close(ready[1]);
    // At most 30 s: a lock file this process kept would leave the child waiting for good.
    pollfd said = {ready[0], POLLIN, 0};
    held_ = ::poll(&said, 1, 30'000) == 1 && ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
  }
  ~OtherProgram() { crash(); }
  bool held() const { return held_; }
  // Killed without a chance to clean up: the kernel releases its lock.
  void crash() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool held_ = false;
};

// The system call that thread `tid` of this process is in (proc(5): the first number of
// /proc/self/task/TID/syscall); -1 while it runs outside one.
long systemCallOf(pid_t tid) {
  std::ifstream file("/proc/self/task/" + std::to_string(tid) + "/syscall");
  long number = -1;
  return file >> number ? number : -1;
}

// Waits until `ready` holds, at most kMostWaited; whether it held.
constexpr auto kMostWaited = 30s;
bool eventually(const std::function<bool()>& ready) {
  const auto until = std::chrono::steady_clock::now() + kMostWaited;
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

TEST_F(MouseLockTest, LockFileIsKeyedByTheMouseLocationInTheRuntimeFolder) {
  EXPECT_EQ(lockFilePath(0x01230000), runtime.path() + "/velt-mouse-01230000.lock");
  EXPECT_EQ(lockFile(), runtime.path() + "/velt-mouse-00100000.lock");
  uint16_t version = 0;
  ASSERT_EQ(Get_fw_version(version), kResultSuccess);
  EXPECT_TRUE(std::filesystem::exists(lockFile()));

  ::unsetenv("XDG_RUNTIME_DIR");
  const std::string own = "/tmp/velt-" + std::to_string(::getuid()) + "/";
  EXPECT_EQ(lockFolder(), own);
  EXPECT_EQ(std::filesystem::status(own).permissions(), std::filesystem::perms::owner_all);
}

// A command waits while another program holds the mouse, the poll's try form skips,
// and a program that crashes while holding it frees the mouse.
TEST_F(MouseLockTest, AnotherProgramHoldingTheMouse) {
  OtherProgram other(lockFile());
  ASSERT_TRUE(other.held()) << "the other program did not take the lock file within 30 s";
  EXPECT_FALSE(MouseLock(std::try_to_lock).held());

  std::atomic<bool> done{false};
  std::atomic<pid_t> thread{0};
  DeviceResult result = 0;
  std::thread command([&] {
    thread = ::gettid();
    uint8_t id = 9;
    result = Get_current_profile_id(id);
    done = true;
  });
  // The command has either run or come to wait for the lock file.
  EXPECT_TRUE(eventually([&] {
    return done || (thread != 0 && systemCallOf(thread) == SYS_flock);
  })) << "the command neither ran nor waited for the lock file within 30 s";
  EXPECT_FALSE(done) << "a command ran while another program held the mouse";
  other.crash();
  command.join();
  EXPECT_EQ(result, kResultSuccess);
  EXPECT_TRUE(MouseLock(std::try_to_lock).held());
}

// Inside a process one thread holds the mouse at a time; it may nest holds, and the
// others (commands, the try form, closing the slot) wait or skip.
TEST_F(MouseLockTest, OneThreadAtATime) {
  std::atomic<bool> holding{false}, release{false}, nestedHeld{false};
  std::thread sequence([&] {
    const MouseLock mouse;
    nestedHeld = MouseLock(std::try_to_lock).held();
    uint16_t version = 0;
    Get_fw_version(version);  // nests as well
    holding = true;
    while (!release) std::this_thread::sleep_for(1ms);
  });
  EXPECT_TRUE(eventually([&] { return holding.load(); }))
      << "the sequence did not begin within 30 s";
  EXPECT_TRUE(nestedHeld);
  EXPECT_FALSE(MouseLock(std::try_to_lock).held());

  std::atomic<bool> closed{false};
  std::atomic<pid_t> thread{0};
  std::thread closer([&] {
    thread = ::gettid();
    Close_device();
    closed = true;
  });
  // Closing has either happened or come to wait for the sequence (a futex: the process's
  // one holder is a mutex and a condition).
  EXPECT_TRUE(eventually([&] {
    return closed || (thread != 0 && systemCallOf(thread) == SYS_futex);
  })) << "closing the slot neither happened nor waited within 30 s";
  EXPECT_FALSE(closed) << "the slot was closed during another thread's sequence";
  release = true;
  sequence.join();
  closer.join();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(IsOpen());
  EXPECT_TRUE(MouseLock(std::try_to_lock).held());
}

// The lock file is taken for the mouse in the slot: a sequence begun before the mouse
// was opened holds it from its first command to its end.
TEST_F(MouseLockTest, SequenceBegunWithAnEmptySlotKeepsTheFileOfItsFirstCommand) {
  Close_device();
  {
    const MouseLock sequence;
    ASSERT_TRUE(IsMakesureOpen());
    uint16_t version = 0;
    ASSERT_EQ(Get_fw_version(version), kResultSuccess);
    const int fd = ::open(lockFile().c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0) << "the file was let go after the command";
    ::close(fd);
  }
  const int fd = ::open(lockFile().c_str(), O_RDWR);
  EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  ::close(fd);
}

// A lock file that cannot be used is said once, and the commands go on without it.
TEST_F(MouseLockTest, UnusableLockFileIsReportedOnce) {
  std::filesystem::create_directory(lockFile());
  std::vector<std::string> lines;
  setLogHook([&](const std::string& line) { lines.push_back(line); });
  uint16_t version = 0;
  EXPECT_EQ(Get_fw_version(version), kResultSuccess);
  EXPECT_EQ(Set_current_profile_id(3), kResultSuccess);
  setLogHook({});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "cannot open " + lockFile() +
                          ": Is a directory; other programs may interleave with this one on "
                          "the mouse");
}

}  // namespace
}  // namespace velt
