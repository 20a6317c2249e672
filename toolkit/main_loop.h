#pragma once

#include <functional>

namespace velt {

// Runs a nested event loop until stopModalLoop; returns the code given to it. Loops
// nest: a stop ends the innermost one.
int runModalLoop();
void stopModalLoop(int code = 0);
int modalLoopDepth();
// How many modal loops have started so far: with the depth, it tells one run of a loop
// from the next at the same depth.
unsigned modalLoopsStarted();
// Whether a modal loop of ours, or a modal dialog of the platform (an alert, a file
// panel), waits for the user now.
bool modalSessionRunning();

// Runs the work on the UI thread's loop, soon; callable from any thread.
void postToMainThread(std::function<void()> work);

// Delivers what is pending on the UI thread's loop (posted work, redraws) and returns.
void processPendingEvents();

}  // namespace velt
