#include <gtest/gtest.h>
#include <sys/wait.h>

#include "tests/cli/veltctl_run.h"

namespace velt {
namespace {

// The real binary in a process of its own, with nothing on its standard input and at
// most a minute to run; `environment` goes in front of it.
VeltctlRun runProcess(const std::string& environment, const std::string& args,
                      const MouseFolder& folder) {
  const std::string out = folder.path() + "out.txt", err = folder.path() + "err.txt";
  const std::string line = environment + " timeout -k 5 60 '" VELTCTL_BINARY "' " + args +
                           " </dev/null >'" + out + "' 2>'" + err + "'";
  const int status = std::system(line.c_str());
  VeltctlRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  EXPECT_NE(run.status, 124) << "veltctl " << args << " did not end within 60 s";
  run.out = test::readBytes(out);
  run.err = test::readBytes(err);
  return run;
}

TEST(VeltctlProcessTest, SwitchInOneProcessIsSeenByTheNext) {
  MouseFolder folder;
  const std::string emulate = "--emulate '" + folder.mouse() + "' ";
  VeltctlRun run = runProcess("", emulate + "switch 3", folder);
  ASSERT_EQ(run.status, 0) << run.err;
  run = runProcess("", emulate + "info", folder);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "firmware 0.46\nprofile 3\n");
}

TEST(VeltctlProcessTest, ExitStatusesOfTheBinary) {
  MouseFolder folder;
  const std::string emulate = "--emulate '" + folder.mouse() + "' ";
  struct Case {
    const char* environment;
    std::string args;
    int status;
    const char* err;
  } cases[] = {
      {"VELT_EMULATE_FAULTS=fail-cmd=04", emulate + "info", 1,
       "Get_fw_version failed: the mouse did not take or confirm the command (result 3)"},
      {"VELT_EMULATE_FAULTS=busy=2,what", emulate + "info", 2, "unknown fault \"what\""},
      {"", emulate + "switch 7", 2, "usage"},
      {"", "info", 3, "no VELT mouse found"},
  };
  for (const Case& c : cases) {
    VeltctlRun run = runProcess(c.environment, c.args, folder);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << ": " << run.err;
  }
}

}  // namespace
}  // namespace velt
