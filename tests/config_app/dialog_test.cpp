// The pop-up dialogs on their own: results of every button, key capture, and the three
// steps of the surface analysis with its countdown worker.
#include <gtest/gtest.h>

#include <QTest>

#include "base/clock.h"
#include "config_app/dialogs/PopView.h"
#include "config_app/dialogs/SurfaceCountdown.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "emulator/emulated_mouse.h"
#include "tests/config_app/config_app_test_support.h"
#include "toolkit/layout/dialog_layout.h"

namespace velt::test {
namespace {

class Dialogs : public testing::Test {
 protected:
  void TearDown() override {
    Close_device();
    setHidHost(nullptr);
  }
  int run(int32_t type, int32_t buttonId) {
    PopView dialog;
    dialog.initPopView(&owner, type);
    whenDialogRuns(type, clickButton(buttonId));
    return dialog.runModal();
  }
  ManualTimers timers;
  KivImageView owner;
};

TEST_F(Dialogs, EveryButtonEndsItsRunWithItsResult) {
  struct Case {
    int32_t type, button;
    int result;
  } cases[] = {
      {125, 126, 1}, {125, 127, 2}, {125, 128, 2}, {130, 131, 1}, {130, 132, 2}, {133, 134, 1},
      {133, 135, 2}, {133, 136, 2}, {147, 148, 1}, {147, 149, 2}, {150, 151, 1}, {150, 152, 2},
      {150, 153, 2}, {154, 156, 1}, {154, 157, 2}, {154, 155, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(run(c.type, c.button), c.result) << c.type << "/" << c.button;
}

TEST_F(Dialogs, EachDialogIsNamedByItsHeadlineAndDescribedByItsWording) {
  for (const DialogLayout& layout : kDialogLayouts) {
    PopView dialog;
    dialog.initPopView(&owner, layout.type);
    QWidget* window = widgetOf(*dialog.window()->contentView())->window();
    EXPECT_EQ(window->windowTitle().toStdString(), layout.headline);
    EXPECT_EQ(window->accessibleDescription().toStdString(), layout.wording);
    EXPECT_EQ(dialog.bounds().size(), kDialogSize) << "sized by its picture";
    std::vector<std::string> names;
    for (KivImageView* control : dialog.subviews())
      if (control->accessibleRole() == AccessibleRole::Button)
        names.push_back(control->accessibleName());
    std::vector<std::string> expected;
    if (layout.okId) expected.push_back("OK");
    if (layout.cancelId) expected.push_back("Cancel");
    if (layout.closeId) expected.push_back("Close");
    EXPECT_EQ(names, expected) << layout.type;
  }
}

// The key capture, bound to a button's function menu.
class KeyCapture : public Dialogs {
 protected:
  void SetUp() override {
    Dialogs::SetUp();
    menu.initView(&owner, 23, {0, 0, 100, 20});
    menu.insertItem(1, "Left click");
    menu.setCurItemID(1);
  }
  // Runs the dialog: `keys` are pressed into it, then `button` ends it.
  int capture(std::function<void(QWidget*)> keys, int32_t button) {
    dialog = std::make_unique<PopView>();
    dialog->initPopView(&owner, kAssignKeyDialog);
    dialog->setFunButton(&menu);
    whenDialogRuns(kAssignKeyDialog, [=](PopView& d) {
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : widgetOf(d);
      keys(target);
      clickDialogButton(d, button);
    });
    return dialog->runModal();
  }
  KivComboxButton menu;
  std::unique_ptr<PopView> dialog;
};

TEST_F(KeyCapture, AModifierAloneIsAKey) {
  ASSERT_EQ(capture([](QWidget* w) { QTest::keyPress(w, Qt::Key_Shift); }, 156), 1);
  EXPECT_EQ(menu.caption(), "shift");
  EXPECT_EQ(menu.getButtonFunction(), 56);
  EXPECT_FALSE(menu.done()) << "the page decides the caption for this choice";
}

TEST_F(KeyCapture, ReturnEscapeAndTabAreCapturedAndNeverEndTheDialog) {
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab}) {
    int result = capture(
        [key](QWidget* w) {
          QTest::keyClick(w, key);
          EXPECT_FALSE(PopView::runningDialogs().empty()) << "the key ended the dialog";
        },
        156);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dialog->capturedKeyCode().has_value()) << key;
  }
  EXPECT_EQ(menu.caption(), "tab");
}

TEST_F(KeyCapture, TheLastKeyWinsAndItsNameShows) {
  capture(
      [this](QWidget* w) {
        QTest::keyClick(w, Qt::Key_A);
        QTest::keyClick(w, Qt::Key_F5);
        EXPECT_EQ(dialog->textStatic().getCurText(), "F5");
      },
      156);
  EXPECT_EQ(menu.caption(), "F5");
}

TEST_F(KeyCapture, CancelCloseOrNoKeyLeaveTheButtonAsItWas) {
  for (int32_t button : {157, 155}) {
    EXPECT_EQ(capture([](QWidget* w) { QTest::keyClick(w, Qt::Key_B); }, button), 2);
    EXPECT_EQ(menu.caption(), "Left click");
  }
  EXPECT_EQ(capture([](QWidget*) {}, 156), 1);
  EXPECT_EQ(menu.caption(), "Left click");
  EXPECT_EQ(menu.getButtonFunction(), -1);
  EXPECT_EQ(dialog->textStatic().getCurText(), "Left click") << "shows the current function";
}

// The surface analysis: step 1 tells the mouse to start and runs step 2, whose countdown
// runs to 0 by itself and leads to step 3.
class SurfaceAnalysis : public Dialogs {
 protected:
  void SetUp() override {
    Dialogs::SetUp();
    std::string error;
    ASSERT_TRUE(installEmulatedMouse(folder.path() + "mouse", error)) << error;
  }
  TempFolder folder;
};

TEST_F(SurfaceAnalysis, TheCountdownRunsOutIntoTheFinishedStep) {
  std::vector<int32_t> typesSeen;
  const auto seen = [&](DialogAnswer then) {
    return [&typesSeen, then](PopView& d) {
      typesSeen.push_back(d.popType());
      if (then) then(d);
    };
  };
  whenDialogsRun({{kAnalysisStartDialog, seen(clickButton(138))},
                  {kAnalysisRunDialog, seen(nullptr)},  // left to its countdown
                  {kAnalysisDoneDialog, seen(clickButton(148))}});
  PopView start;
  start.initPopView(&owner, kAnalysisStartDialog);
  EXPECT_EQ(start.runModal(), 1);
  EXPECT_EQ(typesSeen,
            (std::vector<int32_t>{kAnalysisStartDialog, kAnalysisRunDialog, kAnalysisDoneDialog}));
  uint8_t value = 0;
  ASSERT_EQ(Get_surface_analyzer_result(value), kResultSuccess);
  EXPECT_NE(value, 0) << "the mouse was told to analyse";
}

TEST_F(SurfaceAnalysis, CountdownStepsShowTheNextNumberAndFrame) {
  PopView step;
  step.initPopView(&owner, kAnalysisRunDialog);
  EXPECT_FALSE(step.okButton().isEnabled());
  for (int n = 10; n >= 2; --n) {
    step.updateImageList();
    EXPECT_EQ(step.textStatic().getCurText(), std::to_string(n - 1));
    EXPECT_EQ(step.imageStatic().imageItem(), (11 - n) % 3);
  }
  step.textStatic().setCurText("abc");
  step.updateImageList();
  EXPECT_EQ(step.textStatic().getCurText(), "abc") << "no number, no step";
}

TEST_F(SurfaceAnalysis, CancellingTheCountdownCancelsTheChainAndStopsTheWorker) {
  whenDialogsRun(analysisAnswers(timers, kAnalysisRunDialog));
  PopView start;
  start.initPopView(&owner, kAnalysisStartDialog);
  EXPECT_EQ(start.runModal(), 2);
  EXPECT_TRUE(SurfaceCountdown::stopFlag());
}

// A person's Cancel and the countdown's last step can land in the same pass of the loop,
// the step queued behind the Cancel: the Cancel stands, and the finished step never runs.
TEST_F(SurfaceAnalysis, ACancelMeetingTheCountdownsEndStands) {
  timers.holdWorkers();  // the worker's own steps stay out of the way
  PopView step;
  step.initPopView(&owner, kAnalysisRunDialog);
  bool finishedStepRan = false;
  whenDialogRuns(kAnalysisRunDialog, [&](PopView& d) {
    d.textStatic().setCurText("1");  // the last second
    // Queued together, as a click and the worker's post are: run in the next pass.
    postToMainThread([&d] { clickDialogButton(d, kAnalysisRunDialog + 2); });
    postToMainThread([&d] { d.updateImageList(); });
    postToMainThread([&] {
      for (PopView* open : PopView::runningDialogs())
        if (open->popType() == kAnalysisDoneDialog) {
          finishedStepRan = true;
          open->clickCancel();
        }
      timers.releaseWorkers();  // before the run joins the worker
    });
  });
  EXPECT_EQ(step.runModal(), PopView::kCancelled);
  processPendingEvents();
  EXPECT_FALSE(finishedStepRan);
  EXPECT_EQ(step.textStatic().getCurText(), "1") << "no step after the Cancel";
}

TEST_F(SurfaceAnalysis, ARunEndedFromOutsideStopsTheWorkerAndCountsAsCancelled) {
  timers.holdWorkers();
  PopView step;
  step.initPopView(&owner, kAnalysisRunDialog);
  postToMainThread([] { stopModalLoop(0); });  // as when the program quits
  postToMainThread([this] { timers.releaseWorkers(); });
  EXPECT_EQ(step.runModal(), 2);
  EXPECT_FALSE(step.countdownRunning());
  processPendingEvents();
  EXPECT_EQ(step.textStatic().getCurText(), std::to_string(SurfaceCountdown::kSteps))
      << "no step after the run";
}

}  // namespace
}  // namespace velt::test
