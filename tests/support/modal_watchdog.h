#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace velt::test {

// How long a modal loop may wait for an answer in a GUI test. Answers come from work the
// test posted, within milliseconds; a loop still waiting after this has been forgotten.
inline constexpr std::chrono::seconds kUnansweredLoopLimit{5};

// Started by the GUI tests' main: a modal loop that runs longer than kUnansweredLoopLimit
// without being answered fails the running test, naming what the loop waits for, and is
// ended (a dialog ended so counts as cancelled), so that the test goes on and finishes.
void startModalWatchdog();

// What the innermost modal loop waits for, for the failure message ("dialog 147"). The
// default names only the loop's depth.
void describeModalLoopsWith(std::function<std::string()> describe);

// Runs `check` at the end of every test, as part of it: a failure it adds is that test's.
// For helpers that leave work behind them, such as an answer to a dialog that never ran.
void checkAtEveryTestEnd(std::function<void()> check);

}  // namespace velt::test
