// The VELTPLUS program as a user starts it: one instance per user, a crashed one's
// leftovers taken over, SIGTERM quitting cleanly. Offscreen, on an emulated mouse, with
// a private home and runtime folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace velt::test {
namespace {

class Program : public testing::Test {
 protected:
  // Starts VELTPLUS with its output in `out` (a file in the folder).
  pid_t start(const std::string& out) {
    std::vector<std::string> env = {"HOME=" + folder.path() + "home",
                                    "XDG_RUNTIME_DIR=" + runtime(), "QT_QPA_PLATFORM=offscreen",
                                    "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string binary = VELTPLUS_BINARY, emulate = "--emulate", dir = folder.path() + "mouse";
    std::vector<char*> argv = {binary.data(), emulate.data(), dir.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (folder.path() + out).c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }
  std::string runtime() const { return folder.path() + "runtime"; }
  // Waits (bounded) for the running instance's socket.
  bool waitForSocket() {
    for (int i = 0; i < 200; ++i) {
      if (std::filesystem::exists(runtime() + "/VELTPLUS.socket")) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // The exit status, or -1 when it did not end within the time.
  int waitFor(pid_t pid, int seconds = 20) {
    for (int i = 0; i < seconds * 20; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid)
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
  }
  void SetUp() override {
    std::filesystem::create_directories(runtime());
    std::filesystem::permissions(runtime(), std::filesystem::perms::owner_all);
  }

  TempFolder folder;
};

TEST_F(Program, ASecondStartShowsTheFirstAndEndsAndSigtermQuitsCleanly) {
  pid_t first = start("first.out");
  ASSERT_TRUE(waitForSocket());
  pid_t second = start("second.out");
  EXPECT_EQ(waitFor(second), 0);
  EXPECT_NE(readBytes(folder.path() + "second.out").find("already running"), std::string::npos);
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0) << "the first one still runs";

  kill(first, SIGTERM);
  EXPECT_EQ(waitFor(first), 0);
}

TEST_F(Program, ACrashedInstanceDoesNotBlockTheNextStart) {
  pid_t crashed = start("crashed.out");
  ASSERT_TRUE(waitForSocket());
  kill(crashed, SIGKILL);
  waitpid(crashed, nullptr, 0);
  ASSERT_TRUE(std::filesystem::exists(runtime() + "/VELTPLUS.socket")) << "left behind";

  pid_t next = start("next.out");
  std::this_thread::sleep_for(std::chrono::seconds(1));
  ASSERT_EQ(waitpid(next, nullptr, WNOHANG), 0) << readBytes(folder.path() + "next.out");
  pid_t third = start("third.out");
  EXPECT_EQ(waitFor(third), 0) << "the new instance answers";
  kill(next, SIGINT);
  EXPECT_EQ(waitFor(next), 0);
}

}  // namespace
}  // namespace velt::test
