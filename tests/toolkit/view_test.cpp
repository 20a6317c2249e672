#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include "tests/support/log_capture.h"
#include "tests/support/window_driver.h"
#include "toolkit/KivImageView.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {
namespace {

using test::LogCapture;
using test::RecordingView;
using test::WindowDriver;

TEST(KivImageView, InitViewStoresParentIdAndEnables) {
  RecordingView parent;
  KivImageView view;
  view.enable(false);
  view.initView(&parent, 42, {10, 20, 30, 40});
  EXPECT_EQ(view.parent(), &parent);
  EXPECT_EQ(view.viewID(), 42);
  EXPECT_TRUE(view.isEnabled());
  EXPECT_EQ(view.frame(), (Rect{10, 20, 30, 40}));
}

TEST(KivImageView, FallbacksWriteTheirLines) {
  LogCapture log;
  KivImageView view;
  view.OnCmd(7);
  view.subMsg(101, -3);
  ASSERT_EQ(log.lines.size(), 2u);
  EXPECT_EQ(log.lines[0], "NSKivImageView button 7 click");
  EXPECT_EQ(log.lines[1], "101 send message:-3");
}

TEST(KivImageView, ChildFrameIsMeasuredFromTheParentsBottomLeft) {
  KivImageView parent, child;
  parent.initView(nullptr, 1, {0, 0, 100, 100});
  child.initView(&parent, 2, {10, 20, 30, 40});
  parent.addSubview(&child);
  EXPECT_EQ(widgetOf(child)->geometry(), QRect(10, 40, 30, 40));

  // The parent growing keeps the child at the same distance from the bottom.
  parent.setFrame({0, 0, 100, 150});
  EXPECT_EQ(widgetOf(child)->geometry(), QRect(10, 90, 30, 40));
}

TEST(KivImageView, DestroyingAViewDetachesItFromTheTree) {
  KivImageView parent;
  parent.initView(nullptr, 1, {0, 0, 100, 100});
  {
    KivImageView child;
    child.initView(&parent, 2, {0, 0, 10, 10});
    parent.addSubview(&child);
    ASSERT_EQ(parent.subviews().size(), 1u);
  }
  EXPECT_TRUE(parent.subviews().empty());
  EXPECT_TRUE(widgetOf(parent)->children().isEmpty());
}

// Records every mouse call with the location it was given.
class TrackingView : public KivImageView {
 public:
  struct Call {
    std::string what;
    Point at;
  };
  void mouseDown(const MouseEvent& e) override { calls.push_back({"down", e.location}); }
  void mouseDragged(const MouseEvent& e) override { calls.push_back({"drag", e.location}); }
  void mouseUp(const MouseEvent& e) override { calls.push_back({"up", e.location}); }
  std::vector<Call> calls;
};

TEST(KivImageView, DragsAndReleaseGoToThePressedViewInItsOwnCoordinates) {
  KivImageView root;
  WindowDriver driver(root);
  TrackingView left, right;
  left.initView(&root, 1, {10, 10, 50, 50});
  right.initView(&root, 2, {100, 10, 50, 50});
  root.addSubview(&left);
  root.addSubview(&right);

  driver.move({20, 30});
  driver.press({20, 30});
  driver.drag({120, 30});  // over the other view
  driver.release({120, 40});

  EXPECT_TRUE(right.calls.empty());
  // QTest may move the pointer to the release point first: more drags, never fewer.
  ASSERT_GE(left.calls.size(), 3u);
  EXPECT_EQ(left.calls.front().what, "down");
  EXPECT_EQ(left.calls.front().at, (Point{10, 20}));
  EXPECT_EQ(left.calls[1].what, "drag");
  EXPECT_EQ(left.calls[1].at, (Point{110, 20}));
  for (size_t i = 1; i + 1 < left.calls.size(); ++i) EXPECT_EQ(left.calls[i].what, "drag");
  EXPECT_EQ(left.calls.back().what, "up");
  EXPECT_EQ(left.calls.back().at, (Point{110, 30}));
}

// Records the pointer crossing its bounds, and the calls between.
class CrossingView : public TrackingView {
 public:
  void mouseEntered(const MouseEvent& e) override { calls.push_back({"enter", e.location}); }
  void mouseExited(const MouseEvent& e) override { calls.push_back({"exit", e.location}); }
  // From the press on (an X server gives no enter for a synthetic first move), with each
  // run of drags as one.
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const Call& call : calls) {
      if (result.empty() && call.what != "down") continue;
      if (call.what != "drag" || result.back() != "drag") result.push_back(call.what);
    }
    return result;
  }
};

TEST(KivImageView, PressedViewLearnsWhenTheDragCrossesItsBounds) {
  KivImageView root;
  WindowDriver driver(root);
  CrossingView view;
  view.initView(&root, 1, {10, 10, 50, 50});
  root.addSubview(&view);

  driver.move({20, 30});
  driver.press({20, 30});
  driver.drag({30, 30});
  driver.drag({120, 30});  // out
  driver.drag({130, 30});
  driver.drag({40, 40});    // back in
  driver.drag({150, 120});  // out again
  driver.release({150, 120});
  processPendingEvents();

  // Each crossing once, before the drag that made it; no second exit after the release.
  EXPECT_EQ(view.names(), (std::vector<std::string>{"down", "drag", "exit", "drag", "enter", "drag",
                                                    "exit", "drag", "up"}));
}

TEST(KivWindow, PressOnAViewThatTakesNoMouseDragsTheWindow) {
  KivImageView root;
  WindowDriver driver(root);
  KivImageView label;  // passes every event on
  label.initView(&root, 1, {10, 10, 50, 50});
  root.addSubview(&label);
  Rect before = driver.window().frame();

  driver.move({20, 20});
  driver.press({20, 20});
  driver.drag({50, 10});
  // The window followed the pointer, so the pointer is back at (20, 20) in it.
  driver.release({20, 20});

  Rect after = driver.window().frame();
  EXPECT_EQ(after.x - before.x, 30);
  EXPECT_EQ(after.y - before.y, -10);
}

TEST(KivWindow, PressOnAViewThatTakesTheMouseLeavesTheWindowInPlace) {
  KivImageView root;
  WindowDriver driver(root);
  TrackingView target;
  target.initView(&root, 1, {10, 10, 50, 50});
  root.addSubview(&target);
  Rect before = driver.window().frame();

  driver.move({20, 20});
  driver.press({20, 20});
  driver.drag({50, 10});
  driver.release({50, 10});

  EXPECT_EQ(driver.window().frame(), before);
  EXPECT_FALSE(target.calls.empty());
}

TEST(KivWindow, NotMovableWindowStaysPut) {
  KivImageView root;
  WindowDriver driver(root);
  driver.window().setMovableByWindowBackground(false);
  Rect before = driver.window().frame();
  driver.move({20, 20});
  driver.press({20, 20});
  driver.drag({60, 60});
  driver.release({60, 60});
  EXPECT_EQ(driver.window().frame(), before);
}

TEST(KivWindow, FrameIsInScreenCoordinatesWithYUp) {
  KivWindow window({100, 50, 376, 177});
  EXPECT_EQ(window.frame(), (Rect{100, 50, 376, 177}));
  EXPECT_EQ(widgetOf(window)->size(), QSize(376, 177));
  EXPECT_EQ(widgetOf(window)->y(), static_cast<int>(screenHeight()) - 50 - 177);
  EXPECT_TRUE(window.canBecomeKeyWindow());
}

TEST(KivImageView, ConvertsPointsToWindowAndScreen) {
  KivImageView root;
  WindowDriver driver(root);  // at the screen's top-left corner, 200 x 150
  KivImageView child;
  child.initView(&root, 1, {10, 20, 30, 40});
  root.addSubview(&child);
  Rect window = driver.window().frame();
  EXPECT_EQ(child.convertToWindow({5, 6}), (Point{15, 26}));
  EXPECT_EQ(child.convertToScreen({5, 6}), (Point{window.x + 15, window.y + 26}));
}

// The background is drawn one to one from its bottom-left corner: a picture taller and
// wider than the view shows its bottom-left part.
TEST(KivImageView, BackgroundShowsTheImagesBottomLeftPart) {
  QImage picture(60, 60, QImage::Format_RGB32);
  picture.fill(Qt::green);
  for (int y = 40; y < 60; ++y)  // Qt rows 40..59 are the bottom 20 rows
    for (int x = 0; x < 20; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
  QTemporaryDir dir;
  ASSERT_TRUE(picture.save(dir.filePath("bk.png")));

  KivImageView view;
  view.initView(nullptr, 1, {0, 0, 20, 20});
  view.setBkImage(Image::load(dir.filePath("bk.png").toStdString()));
  QImage shot = widgetOf(view)->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(20, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(shot.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
}

TEST(KivWindow, OrdersInAndOutAndKeepsItsContent) {
  KivWindow panel({0, 0, 102, 82}, KivWindow::Style::Panel);
  KivImageView content;
  panel.setContentView(&content);
  EXPECT_EQ(content.frame(), (Rect{0, 0, 102, 82}));
  EXPECT_FALSE(panel.isVisible());
  panel.makeKeyAndOrderFront();
  EXPECT_TRUE(panel.isVisible());
  EXPECT_TRUE(widgetOf(content)->isVisible());
  panel.orderOut();
  EXPECT_FALSE(panel.isVisible());
  panel.setFrame({30, 40, 120, 100});
  EXPECT_EQ(content.frame(), (Rect{0, 0, 120, 100}));
  EXPECT_EQ(panel.contentView(), &content);
}

}  // namespace
}  // namespace velt
