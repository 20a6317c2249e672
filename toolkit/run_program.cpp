#include "toolkit/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <system_error>
#include <thread>

extern char** environ;

namespace velt {

namespace {

using Clock = std::chrono::steady_clock;

// How often a running program is looked at: short beside the timeouts (seconds), long
// enough that waiting costs nothing.
constexpr std::chrono::milliseconds kPollStep{5};

// The spawn settings: standard input from /dev/null, a process group of its own (so
// that a timeout kills what it started too), no blocked signals and SIGPIPE at its
// default, whatever the calling thread had.
class SpawnSettings {
 public:
  SpawnSettings() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_init(&attributes_);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes_, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes_, &defaults);
    posix_spawnattr_setpgroup(&attributes_, 0);
    posix_spawnattr_setflags(
        &attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSettings() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;

  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

ProgramOutcome outcomeOf(int status) {
  if (WIFEXITED(status)) return {ProgramOutcome::Kind::Exited, WEXITSTATUS(status)};
  if (WIFSIGNALED(status)) return {ProgramOutcome::Kind::Killed, WTERMSIG(status)};
  return {ProgramOutcome::Kind::Killed, 0};
}

// waitpid, again after a signal interrupted it.
pid_t waitFor(pid_t pid, int& status, int options) {
  pid_t done;
  do {
    done = waitpid(pid, &status, options);
  } while (done < 0 && errno == EINTR);
  return done;
}

}  // namespace

ProgramOutcome runProgram(const ProgramCall& call, std::chrono::milliseconds timeout) {
  if (call.empty() || call.front().empty()) return {ProgramOutcome::Kind::NotStarted, ENOENT};
  std::vector<char*> argv;
  for (const std::string& word : call) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  {
    SpawnSettings settings;
    if (int error = posix_spawnp(&pid, argv[0], settings.actions(), settings.attributes(),
                                 argv.data(), environ))
      return {ProgramOutcome::Kind::NotStarted, error};
  }

  const Clock::time_point deadline = Clock::now() + timeout;
  int status = 0;
  for (;;) {
    pid_t done = waitFor(pid, status, WNOHANG);
    if (done == pid) return outcomeOf(status);
    // Someone else reaped it (SIGCHLD ignored): it ended, nobody can say how.
    if (done < 0) return {ProgramOutcome::Kind::Killed, 0};
    if (Clock::now() >= deadline) break;
    std::this_thread::sleep_for(kPollStep);
  }
  kill(-pid, SIGKILL);
  waitFor(pid, status, 0);
  return {ProgramOutcome::Kind::TimedOut, 0};
}

std::string programText(const ProgramCall& call) {
  std::string text;
  for (const std::string& word : call) {
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

std::optional<std::string> programFailure(const ProgramCall& call, const ProgramOutcome& outcome,
                                          std::chrono::milliseconds timeout) {
  const std::string text = programText(call);
  switch (outcome.kind) {
    case ProgramOutcome::Kind::Exited:
      if (outcome.code == 0) return std::nullopt;
      return text + " exited with status " + std::to_string(outcome.code);
    case ProgramOutcome::Kind::NotStarted:
      // Not strerror: this runs on a worker thread.
      return text + " could not be started: " + std::generic_category().message(outcome.code);
    case ProgramOutcome::Kind::TimedOut:
      return text + " did not finish within " + std::to_string(timeout.count()) +
             " ms and was stopped";
    case ProgramOutcome::Kind::Killed:
      if (outcome.code == 0) return text + " ended without an exit status";
      return text + " was ended by signal " + std::to_string(outcome.code);
  }
  return std::nullopt;
}

std::optional<std::string> firstProgramOnPath(const std::vector<std::string>& names) {
  const char* path = std::getenv("PATH");
  if (!path) return std::nullopt;
  for (const std::string& name : names) {
    std::istringstream folders(path);
    for (std::string folder; std::getline(folders, folder, ':');) {
      if (folder.empty()) continue;  // the working folder: never a host tool's place
      const std::string file = folder + "/" + name;
      struct stat info {};
      if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
          access(file.c_str(), X_OK) == 0)
        return name;
    }
  }
  return std::nullopt;
}

}  // namespace velt
