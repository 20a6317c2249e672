#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <memory>
#include <thread>

#include "tests/support/window_driver.h"
#include "toolkit/KivEdit.h"
#include "toolkit/KivTimer.h"
#include "toolkit/main_loop.h"
#include "toolkit/platform/qt_keys.h"

namespace velt {
namespace {

using test::WindowDriver;

TEST(KivTimer, TicksOnTheLoopUntilStopped) {
  KivTimer timer;
  int ticks = 0;
  timer.start(std::chrono::milliseconds(1), [&] {
    if (++ticks == 3) {
      timer.stop();
      stopModalLoop(7);
    }
  });
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), std::chrono::milliseconds(1));
  EXPECT_EQ(runModalLoop(), 7);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timer.isActive());
}

TEST(KivTimer, RestartReplacesTheCallbackAndFireRunsIt) {
  KivTimer timer;
  std::string seen;
  timer.start(std::chrono::hours(1), [&] { seen += "a"; });
  timer.fire();
  timer.start(std::chrono::milliseconds(100), [&] { seen += "b"; });
  timer.fire();
  EXPECT_EQ(seen, "ab");
  EXPECT_EQ(timer.interval(), std::chrono::milliseconds(100));
}

// Lives in a tick's callback; says when the callback is gone.
bool gSentinelGone = false;
struct Sentinel {
  ~Sentinel() { gSentinelGone = true; }
};

TEST(KivTimer, TickMayRestartItsOwnTimer) {
  KivTimer timer;
  auto sentinel = std::make_shared<Sentinel>();
  static bool goneDuringTick = false;
  timer.start(std::chrono::milliseconds(1), [&timer, sentinel] {
    timer.start(std::chrono::hours(1), [] {});
    // Nothing of the replaced callback may be gone while it still runs.
    goneDuringTick = gSentinelGone;
    stopModalLoop(0);
  });
  sentinel.reset();
  runModalLoop();
  EXPECT_FALSE(goneDuringTick);
  EXPECT_TRUE(gSentinelGone) << "released once the tick is over";
  EXPECT_EQ(timer.interval(), std::chrono::hours(1));
}

TEST(MainLoop, ModalLoopsNestAndStopInnermostFirst) {
  std::vector<std::string> order;
  postToMainThread([&] {
    EXPECT_EQ(modalLoopDepth(), 1);
    postToMainThread([&] {
      order.push_back("stop inner");
      stopModalLoop(2);
    });
    int inner = runModalLoop();
    order.push_back("inner returned " + std::to_string(inner));
    stopModalLoop(1);
  });
  int outer = runModalLoop();
  order.push_back("outer returned " + std::to_string(outer));
  EXPECT_EQ(order,
            (std::vector<std::string>{"stop inner", "inner returned 2", "outer returned 1"}));
  EXPECT_EQ(modalLoopDepth(), 0);
}

TEST(MainLoop, WorkPostedFromAWorkerRunsOnTheUiThread) {
  std::thread::id ranOn;
  std::thread worker([&] {
    postToMainThread([&] {
      ranOn = std::this_thread::get_id();
      stopModalLoop(0);
    });
  });
  runModalLoop();
  worker.join();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(KivEdit, HoldsTypedTextAndReportsReturn) {
  KivImageView root;
  WindowDriver driver(root);
  KivEdit edit;
  edit.initView(&root, 1, {10, 10, 120, 20});
  root.addSubview(&edit);
  int returns = 0;
  edit.setOnReturn([&] { ++returns; });
  edit.setText("Macro");
  EXPECT_EQ(edit.text(), "Macro");

  auto* line = widgetOf(edit)->findChild<QLineEdit*>();
  ASSERT_NE(line, nullptr);
  QTest::keyClicks(line, "12");
  QTest::keyClick(line, Qt::Key_Return);
  EXPECT_EQ(edit.text(), "Macro12");
  EXPECT_EQ(returns, 1);
  EXPECT_EQ(line->geometry().size(), QSize(120, 20));
}

struct KeyCase {
  int qtKey;
  Qt::KeyboardModifiers modifiers;
  quint32 scanCode;
  uint16_t hostCode;
};

class HostKeyCodes : public testing::TestWithParam<KeyCase> {};

TEST_P(HostKeyCodes, FollowTheKeyPosition) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(hostKeyCode(c.qtKey, c.scanCode, c.modifiers), c.hostCode);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HostKeyCodes,
    testing::Values(KeyCase{Qt::Key_A, {}, 0, 0}, KeyCase{Qt::Key_B, {}, 0, 11},
                    KeyCase{Qt::Key_Exclam, Qt::ShiftModifier, 0, 18},
                    KeyCase{Qt::Key_Return, {}, 0, 36}, KeyCase{Qt::Key_Escape, {}, 0, 53},
                    KeyCase{Qt::Key_F1, {}, 0, 122}, KeyCase{Qt::Key_Up, {}, 0, 126},
                    KeyCase{Qt::Key_1, Qt::KeypadModifier, 0, 83},
                    KeyCase{Qt::Key_Shift, {}, 50, 56}, KeyCase{Qt::Key_Shift, {}, 62, 60},
                    KeyCase{Qt::Key_Control, {}, 105, 62}, KeyCase{Qt::Key_Meta, {}, 133, 55},
                    KeyCase{Qt::Key_MediaPlay, {}, 0, 0xFFFF}));

// A focusable view that records its key calls.
class KeyView : public KivImageView {
 public:
  bool acceptsFirstResponder() const override { return true; }
  void keyDown(const KeyEvent& e) override { seen.push_back({"down", e}); }
  void flagsChanged(const KeyEvent& e) override { seen.push_back({"flags", e}); }
  std::vector<std::pair<std::string, KeyEvent>> seen;
};

TEST(KeyEvents, ReachTheFocusedViewWithHostCodesAndFlags) {
  KivImageView root;
  WindowDriver driver(root);
  KeyView view;
  view.initView(&root, 1, {0, 0, 50, 50});
  root.addSubview(&view);
  ASSERT_TRUE(view.becomeFirstResponder());
  QWidget* widget = widgetOf(view);
  QTest::keyPress(widget, Qt::Key_Shift, Qt::ShiftModifier);
  QTest::keyClick(widget, Qt::Key_S, Qt::ShiftModifier);

  // QTest presses the modifier of a click itself: more flag changes may come between.
  ASSERT_GE(view.seen.size(), 2u);
  EXPECT_EQ(view.seen[0].first, "flags");
  EXPECT_EQ(view.seen[0].second.keyCode, 56);
  EXPECT_TRUE(view.seen[0].second.modifierFlags & kModifierShift);
  auto down = std::find_if(view.seen.begin(), view.seen.end(),
                           [](const auto& call) { return call.first == "down"; });
  ASSERT_NE(down, view.seen.end());
  EXPECT_EQ(down->second.keyCode, 1);
  EXPECT_EQ(std::count_if(view.seen.begin(), view.seen.end(),
                          [](const auto& call) { return call.first == "down"; }),
            1);
}

// A borderless pop-up made key takes the keyboard: keys sent to its window reach the view
// that is first responder in it.
TEST(KivWindow, BorderlessPanelBecomesKeyAndGetsTheKeys) {
  KivWindow panel({40, 40, 120, 80}, KivWindow::Style::Panel);
  KeyView view;
  panel.setContentView(&view);
  panel.makeKeyAndOrderFront();
  QWindow* handle = widgetOf(panel)->windowHandle();
  ASSERT_NE(handle, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(handle));
  EXPECT_TRUE(panel.isKeyWindow());
  ASSERT_TRUE(view.becomeFirstResponder());
  QTest::keyClick(handle, Qt::Key_B);
  ASSERT_EQ(view.seen.size(), 1u);
  EXPECT_EQ(view.seen[0].first, "down");
  EXPECT_EQ(view.seen[0].second.keyCode, 11);
  panel.orderOut();
  EXPECT_FALSE(panel.isKeyWindow());
}

// The desktop's close (the window manager's button, Alt+F4) goes to the handler, which
// decides; without one the window hides.
TEST(KivWindow, ACloseRequestGoesToItsHandler) {
  KivWindow window({40, 40, 120, 80});
  window.orderFront();
  int requests = 0;
  window.setOnCloseRequest([&] { ++requests; });
  widgetOf(window)->close();
  EXPECT_EQ(requests, 1);
  EXPECT_TRUE(window.isVisible());
  window.setOnCloseRequest({});
  widgetOf(window)->close();
  EXPECT_FALSE(window.isVisible());
}

TEST(MainLoop, AModalWindowOrLoopCountsAsAModalSession) {
  EXPECT_FALSE(modalSessionRunning());
  bool seenInLoop = false;
  postToMainThread([&] {
    seenInLoop = modalSessionRunning();
    stopModalLoop();
  });
  runModalLoop();
  EXPECT_TRUE(seenInLoop);
  KivWindow dialog({40, 40, 120, 80});
  dialog.setModal(true);
  dialog.orderFront();
  EXPECT_TRUE(modalSessionRunning());
  dialog.orderOut();
  EXPECT_FALSE(modalSessionRunning());
}

}  // namespace
// Inside a view that takes keys (a dialog), Tab from a text field moves the focus on;
// only the view itself, holding the focus, takes Tab as a key.
TEST(KeyEvents, TabLeavesATextFieldInsideAViewThatTakesKeys) {
  KeyView dialog;
  WindowDriver driver(dialog, {200, 100});
  KivEdit first, second;
  first.initView(&dialog, 1, {10, 60, 80, 20});
  second.initView(&dialog, 2, {10, 20, 80, 20});
  dialog.addSubview(&first);
  dialog.addSubview(&second);
  driver.window().makeKeyAndOrderFront();
  ASSERT_TRUE(QTest::qWaitForWindowActive(driver.handle()));
  ASSERT_TRUE(first.becomeFirstResponder());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), widgetOf(second)->focusProxy());
  EXPECT_TRUE(dialog.seen.empty());

  ASSERT_TRUE(dialog.becomeFirstResponder());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(dialog.seen.size(), 1u) << "the view holding the focus takes Tab";
}

}  // namespace velt
