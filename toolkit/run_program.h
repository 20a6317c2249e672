#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace velt {

// A program and its arguments, run as they are: no shell reads them, so no text in an
// argument can become a second command. The program is looked up on PATH.
using ProgramCall = std::vector<std::string>;

// How a program run ended.
struct ProgramOutcome {
  enum class Kind {
    Exited,      // code is its exit status
    NotStarted,  // code is the errno of the failed start (ENOENT: no such program)
    TimedOut,    // killed when its time was up
    Killed,      // ended by signal `code` (0: nobody could tell how it ended)
  };
  Kind kind = Kind::Exited;
  int code = 0;

  bool succeeded() const { return kind == Kind::Exited && code == 0; }
  friend bool operator==(const ProgramOutcome&, const ProgramOutcome&) = default;
};

// Runs the program with its standard input empty (it reads its end at once) and the
// program's own output and error output. Waits at most `timeout`; then the program and
// whatever it started meanwhile (its process group) are killed and reaped. The wait is
// real time, not the clock seam: the program runs in real time whatever a test's clock
// says.
ProgramOutcome runProgram(const ProgramCall& call, std::chrono::milliseconds timeout);

// The call as one line for the log and for test records: its words joined by spaces.
std::string programText(const ProgramCall& call);

// The log line of a run that did not succeed ("gsettings set ... exited with status 1",
// "... did not finish within 2000 ms and was stopped"); nothing for a success.
std::optional<std::string> programFailure(const ProgramCall& call, const ProgramOutcome& outcome,
                                          std::chrono::milliseconds timeout);

// The first of the names that is an executable file in a folder of PATH, as the name
// given; nothing when none is.
std::optional<std::string> firstProgramOnPath(const std::vector<std::string>& names);

}  // namespace velt
