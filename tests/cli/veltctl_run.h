#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/veltctl.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_folder.h"

namespace velt {

struct VeltctlRun {
  int status = -1;
  std::string out;
  std::string err;
};

// veltctl in this process; `input` answers its questions.
inline VeltctlRun runInProcess(const std::vector<std::string>& args,
                               const std::string& input = "") {
  std::vector<const char*> argv = {"veltctl"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out, err;
  VeltctlRun run;
  std::istringstream in(input);
  run.status = runVeltctl(static_cast<int>(argv.size()), argv.data(), out, err, &in);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// A temporary folder with the emulated mouse's state folder inside it.
class MouseFolder : public test::TempFolder {
 public:
  std::string mouse() const { return path() + "mouse"; }
};

}  // namespace velt
