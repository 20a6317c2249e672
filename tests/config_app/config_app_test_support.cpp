#include "tests/config_app/config_app_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <utility>

#include "tests/support/modal_watchdog.h"
#include "toolkit/layout/dialog_layout.h"

namespace velt::test {

namespace {

// The steps waiting for their dialog, by number, with the type each waits for. The end
// of each test reports and forgets those still waiting; their polls then find nothing.
struct AwaitedDialogs {
  std::map<uint64_t, int32_t> waiting;
  uint64_t next = 0;
};

AwaitedDialogs& awaited() {
  static AwaitedDialogs dialogs;
  return dialogs;
}

void reportDialogsNeverRun() {
  for (const auto& [number, type] : awaited().waiting)
    ADD_FAILURE() << "dialog " << type << " was awaited and never ran";
  awaited().waiting.clear();
}

std::string describeInnermostDialog() {
  const std::vector<PopView*>& running = PopView::runningDialogs();
  if (running.empty()) return "a modal loop with no dialog";
  return "dialog " + std::to_string(running.back()->popType());
}

// Registered before main: every test of the binary is checked, and the watchdog names
// the dialog it ends.
const bool kRegistered = [] {
  checkAtEveryTestEnd(reportDialogsNeverRun);
  describeModalLoopsWith(describeInnermostDialog);
  return true;
}();

// Polls once per pass of the UI loop (a post made during a pass waits for the next).
void awaitDialog(uint64_t number, std::vector<DialogStep> steps) {
  postToMainThread([number, steps = std::move(steps)]() mutable {
    auto found = awaited().waiting.find(number);
    if (found == awaited().waiting.end()) return;  // its test has ended
    const std::vector<PopView*>& running = PopView::runningDialogs();
    PopView* dialog = running.empty() ? nullptr : running.back();
    if (!dialog || dialog->popType() != steps.front().type || dialog->answered())
      return awaitDialog(number, std::move(steps));
    awaited().waiting.erase(found);
    DialogAnswer answer = std::move(steps.front().answer);
    steps.erase(steps.begin());
    if (!steps.empty()) whenDialogsRun(std::move(steps));
    if (answer) answer(*dialog);
  });
}

}  // namespace

void whenDialogsRun(std::vector<DialogStep> steps) {
  (void)kRegistered;
  if (steps.empty()) return;
  const uint64_t number = awaited().next++;
  awaited().waiting[number] = steps.front().type;
  awaitDialog(number, std::move(steps));
}

void clickDialogButton(PopView& dialog, int32_t id) {
  for (KivImageView* view : dialog.subviews())
    if (view->viewID() == id) return click(*view);
  ADD_FAILURE() << "dialog " << dialog.popType() << " has no control " << id;
}

DialogAnswer clickButton(int32_t id) {
  return [id](PopView& dialog) { clickDialogButton(dialog, id); };
}

std::vector<DialogStep> analysisAnswers(ManualTimers& timers, int32_t cancelOn, bool startTaken) {
  // A dialog's Cancel is its type + 2, OK its type + 1.
  const auto answerFor = [cancelOn](int32_t type) {
    return clickButton(type == cancelOn ? type + 2 : type + 1);
  };
  std::vector<DialogStep> steps{{kAnalysisStartDialog, answerFor(kAnalysisStartDialog)}};
  if (cancelOn == kAnalysisStartDialog || !startTaken) return steps;
  if (cancelOn == kAnalysisRunDialog) {
    timers.holdWorkers();
    steps.push_back({kAnalysisRunDialog, [&timers](PopView& dialog) {
                       clickDialogButton(dialog, kAnalysisRunDialog + 2);
                       timers.releaseWorkers();
                     }});
    return steps;
  }
  steps.push_back({kAnalysisRunDialog, nullptr});  // left to its countdown
  steps.push_back({kAnalysisDoneDialog, answerFor(kAnalysisDoneDialog)});
  return steps;
}

}  // namespace velt::test
