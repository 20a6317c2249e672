#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <utility>
#include <vector>

#include "toolkit/KivImageView.h"
#include "toolkit/KivWindow.h"
#include "toolkit/main_loop.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_windows.h"

namespace velt::test {

// A parent that records the messages its controls send.
class RecordingView : public KivImageView {
 public:
  void OnCmd(int32_t id) override { commands.push_back(id); }
  void subMsg(int32_t id, int32_t value) override { messages.emplace_back(id, value); }

  std::vector<int32_t> commands;
  std::vector<std::pair<int32_t, int32_t>> messages;
};

// A shown window with a root view, driven through Qt's own event dispatch (implicit
// grab, enter and leave, propagation), in window coordinates with y up. The window sits
// at the screen's top-left corner: the offscreen platform synthesises enter events
// only where window and screen coordinates agree.
class WindowDriver {
 public:
  explicit WindowDriver(KivImageView& root, Size size = {200, 150})
      : window_({0, screenHeight() - size.height, size.width, size.height}) {
    root.initView(nullptr, 0, {0, 0, size.width, size.height});
    window_.setContentView(&root);
    window_.orderFront();
    QWidget* widget = widgetOf(window_);
    (void)QTest::qWaitForWindowExposed(widget);
  }

  KivWindow& window() { return window_; }
  QWindow* handle() { return widgetOf(window_)->windowHandle(); }
  QPoint toQt(Point p) {
    return QPoint(static_cast<int>(p.x), widgetOf(window_)->height() - static_cast<int>(p.y));
  }

  void move(Point p) {
    // Not every platform turns a synthetic first move into an enter (an X server does
    // not): the pointer enters the window once, here.
    if (!entered_) {
      entered_ = true;
      QPointF local = toQt(p);
      QEnterEvent enter(local, local, handle()->mapToGlobal(local));
      QCoreApplication::sendEvent(handle(), &enter);
    }
    QTest::mouseMove(handle(), toQt(p));
  }
  void press(Point p) { QTest::mousePress(handle(), Qt::LeftButton, {}, toQt(p)); }
  void drag(Point p) {
    // A move with the button held; QTest's mouseMove keeps the pressed buttons.
    QTest::mouseMove(handle(), toQt(p));
  }
  void release(Point p) { QTest::mouseRelease(handle(), Qt::LeftButton, {}, toQt(p)); }
  void click(Point p) {
    move(p);
    press(p);
    release(p);
  }

 private:
  KivWindow window_;
  bool entered_ = false;
};

}  // namespace velt::test
