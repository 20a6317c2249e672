#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/log.h"
#include "tests/support/log_capture.h"
#include "tests/support/temp_folder.h"
#include "toolkit/KivWindow.h"
#include "toolkit/UiServices.h"

namespace velt {
namespace {

using Kind = ProgramOutcome::Kind;

ProgramCall shell(const std::string& script) {
  return {"sh", "-c", script};
}

struct OutcomeCase {
  ProgramCall call;
  ProgramOutcome outcome;
};

class QtRunProgram : public testing::TestWithParam<OutcomeCase> {};

TEST_P(QtRunProgram, SaysHowTheProgramEnded) {
  auto services = makeQtUiServices();
  EXPECT_EQ(services->runProgram(GetParam().call, std::chrono::seconds(20)), GetParam().outcome)
      << programText(GetParam().call);
}

INSTANTIATE_TEST_SUITE_P(
    UiServices, QtRunProgram,
    testing::Values(OutcomeCase{shell("exit 3"), {Kind::Exited, 3}},
                    OutcomeCase{{"true"}, {Kind::Exited, 0}},
                    OutcomeCase{shell("exit 255"), {Kind::Exited, 255}},
                    OutcomeCase{shell("kill -9 $$"), {Kind::Killed, 9}},
                    // Standard input is empty, not left open.
                    OutcomeCase{{"cat"}, {Kind::Exited, 0}},
                    OutcomeCase{shell("read line || exit 7"), {Kind::Exited, 7}},
                    OutcomeCase{{"velt-no-such-program"}, {Kind::NotStarted, ENOENT}},
                    OutcomeCase{{}, {Kind::NotStarted, ENOENT}}));

// Each argument reaches the program as exactly one word, whatever it holds: the file
// made has that name, and nothing else ran.
class ProgramArgument : public testing::TestWithParam<std::string> {};

TEST_P(ProgramArgument, StaysOneWord) {
  namespace fs = std::filesystem;
  // A folder of its own: the cases run side by side in separate processes.
  test::TempFolder folder;
  ASSERT_FALSE(folder.path().empty());
  const fs::path dir = fs::path(folder.path()).parent_path();
  const std::string name = GetParam();
  auto services = makeQtUiServices();
  // Run inside the folder, so that a command smuggled in would leave its file there too.
  EXPECT_TRUE(services
                  ->runProgram({"sh", "-c", "cd \"$1\" && exec touch \"$2\"", "sh", dir.string(),
                                (dir / name).string()},
                               std::chrono::seconds(20))
                  .succeeded());
  std::vector<std::string> made;
  for (const auto& entry : fs::directory_iterator(dir)) made.push_back(entry.path().filename());
  EXPECT_EQ(made, std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(UiServices, ProgramArgument,
                         testing::Values("two words", "it's", "\"quoted\"", "$(touch injected)",
                                         "`touch injected`", "a;touch injected", "back\\slash",
                                         "line\nbreak", "*", "'", "''"));

TEST(UiServices, AnEmptyArgumentIsAWordOfItsOwn) {
  auto services = makeQtUiServices();
  EXPECT_EQ(services->runProgram({"sh", "-c", "test $# -eq 1 -a -z \"$1\"", "sh", ""},
                                 std::chrono::seconds(20)),
            (ProgramOutcome{Kind::Exited, 0}));
}

// Whether a process is still alive: gone, or a zombie nobody reaped yet, is not.
bool running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const size_t end = line.rfind(')');
  return end != std::string::npos && line.size() > end + 2 && line[end + 2] != 'Z';
}

// A program that does not end in its time is killed with what it started, and reaped.
TEST(UiServices, QtRunProgramStopsAProgramThatOutlivesItsTimeout) {
  test::TempFolder folder;
  const std::string pids = folder.file("pids");
  auto services = makeQtUiServices();
  // The shell names itself and its child before it waits; a timeout that came first (a
  // loaded machine) leaves nothing to check, and the run is made again with a longer one.
  ProgramOutcome outcome;
  pid_t shellPid = 0, sleepPid = 0;
  for (std::chrono::seconds timeout{1}; timeout <= std::chrono::seconds(16) && sleepPid <= 0;
       timeout *= 2) {
    std::filesystem::remove(pids);
    const auto start = std::chrono::steady_clock::now();
    outcome = services->runProgram(
        {"sh", "-c", "sleep 300 & echo $$ $! > \"$1.new\" && mv \"$1.new\" \"$1\"; wait", "sh",
         pids},
        timeout);
    // Generous: far below the 300 s the program would take.
    EXPECT_LT(std::chrono::steady_clock::now() - start, timeout + std::chrono::seconds(30));
    EXPECT_EQ(outcome, (ProgramOutcome{Kind::TimedOut, 0}));
    std::ifstream(pids) >> shellPid >> sleepPid;
  }
  ASSERT_GT(shellPid, 0) << "the shell did not name itself within 16 s";
  ASSERT_GT(sleepPid, 0);
  EXPECT_EQ(kill(shellPid, 0), -1) << "the program is reaped";
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (running(sleepPid) && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(running(sleepPid)) << "what it started is killed too (30 s waited)";
  if (running(sleepPid)) kill(sleepPid, SIGKILL);
  EXPECT_EQ(programFailure({"gsettings", "set", "a", "b"}, outcome, std::chrono::seconds(2)),
            "gsettings set a b did not finish within 2000 ms and was stopped");
}

// The background worker: the call returns at once, failures are logged in order, and a
// batch handed over while another runs replaces the one still waiting.
TEST(UiServices, QtRunInBackgroundLogsFailuresAndKeepsOnlyTheLatestWaitingBatch) {
  test::TempFolder folder;
  const std::string started = folder.path() + "started", gate = folder.path() + "gate";
  test::LogCapture log;
  const std::string waitForGate =
      "touch \"$1\"; while [ ! -e \"$2\" ]; do sleep 0.05; done; exit 4";
  {
    auto services = makeQtUiServices();
    // The first batch runs until the gate file exists, then fails.
    services->runInBackground({{"sh", "-c", waitForGate, "first", started, gate}},
                              std::chrono::seconds(20));
    log.add("handed over");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!std::filesystem::exists(started) && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // Only a batch that runs is kept while the next ones replace each other.
    EXPECT_TRUE(std::filesystem::exists(started)) << "the first batch did not start within 30 s";
    services->runInBackground({{"sh", "-c", "exit 5", "second"}}, std::chrono::seconds(20));
    services->runInBackground({{"sh", "-c", "exit 6", "third"}, {"velt-no-such-program"}},
                              std::chrono::seconds(20));
    std::ofstream(gate) << "open";
  }  // the services finish what they were handed
  EXPECT_EQ(log.lines,
            (std::vector<std::string>{
                "handed over",
                "sh -c " + waitForGate + " first " + started + " " + gate + " exited with status 4",
                "sh -c exit 6 third exited with status 6",
                "velt-no-such-program could not be started: No such file or directory"}));
}

// Addresses without a scheme would open files of the working folder; they are refused
// without starting anything.
TEST(UiServices, QtOpenUrlRefusesAddressesThatAreNotAbsolute) {
  auto services = makeQtUiServices();
  for (const char* url : {"", "www.example.com/home", "/home", "home", "https://exa mple.com"})
    EXPECT_FALSE(services->openUrl(url)) << url;
}

// Hides the visible windows and shows again only those; a window that went while hidden
// is left alone.
TEST(UiServices, QtHideThenShowRestoresTheWindowsThatWereShown) {
  auto services = makeQtUiServices();
  KivWindow shown({0, 0, 40, 30});
  auto goesWhileHidden = std::make_unique<KivWindow>(Rect{50, 0, 40, 30});
  KivWindow neverShown({100, 0, 40, 30});
  shown.orderFront();
  goesWhileHidden->orderFront();

  services->hideApplication();
  EXPECT_FALSE(shown.isVisible());
  EXPECT_FALSE(goesWhileHidden->isVisible());
  goesWhileHidden.reset();

  services->showApplication();
  EXPECT_TRUE(shown.isVisible());
  EXPECT_FALSE(neverShown.isVisible());
  services->showApplication();  // nothing more to show
  EXPECT_TRUE(shown.isVisible());
}

TEST(UiServices, InstalledServicesAnswerUntilRemoved) {
  constexpr std::chrono::seconds kTimeout{2};
  auto scripted = std::make_unique<ScriptedUiServices>();
  ScriptedUiServices* script = scripted.get();
  script->panelAnswers = {std::string("/tmp/a.plist"), std::nullopt};
  script->commandStatuses = {3};
  script->urlOpens = false;
  setUiServices(std::move(scripted));

  EXPECT_EQ(uiServices().savePanel("Export", "default1.plist"), "/tmp/a.plist");
  EXPECT_EQ(uiServices().openPanel("Import"), std::nullopt);
  uiServices().alert("VELTPLUS", "Apply failed");
  EXPECT_EQ(uiServices().runProgram({"defaults", "write", "-g", "a", "1"}, kTimeout),
            (ProgramOutcome{ProgramOutcome::Kind::Exited, 3}));
  EXPECT_TRUE(uiServices().runProgram({"defaults", "write", "-g", "b", "2"}, kTimeout).succeeded())
      << "queue empty";
  uiServices().runInBackground({{"gsettings", "set", "c", "3"}}, kTimeout);
  EXPECT_FALSE(uiServices().openUrl("https://example.com/home"));
  uiServices().hideApplication();
  EXPECT_EQ(script->calls,
            (std::vector<ScriptedUiServices::Call>{{"save", "Export", "default1.plist"},
                                                   {"open", "Import", ""},
                                                   {"alert", "VELTPLUS", "Apply failed"},
                                                   {"run", "defaults write -g a 1", ""},
                                                   {"run", "defaults write -g b 2", ""},
                                                   {"run", "gsettings set c 3", "background"},
                                                   {"url", "https://example.com/home", ""},
                                                   {"hide", "", ""}}));

  setUiServices(nullptr);
  EXPECT_NE(dynamic_cast<ScriptedUiServices*>(&uiServices()), script);
}

}  // namespace
}  // namespace velt
