#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

#include "toolkit/KivImageView.h"
#include "toolkit/ViewHost.h"
#include "toolkit/platform/qt_accessibility.h"

namespace velt {

// The QWidget behind one KivImageView: Qt gives it child order, the implicit mouse grab
// (release and drags go to the pressed widget), enter and leave, focus and
// accessibility. It turns Qt events into the view's calls in the view's own bottom-left
// coordinates; an event the view passes on is ignored, so Qt hands it to the parent.
//
// A view may destroy itself, or its page, from inside one of its own handlers (a dialog
// closed by its OK button): the widget then outlives it, detached, until the event is over.
class ViewWidget : public QWidget {
 public:
  explicit ViewWidget(KivImageView& view);
  // Null once the view is gone.
  KivImageView* view() const { return view_; }
  void detachView() { view_ = nullptr; }
  // Whether some view's handler is running now.
  static bool dispatching() { return dispatchDepth_ > 0; }
  // Deletes a widget (a view's or a window's) now, or after the event when a handler
  // runs, since the handler may be one of the widget's own.
  static void dispose(QWidget* widget);
  // Marks a handler that reaches views by another road (a line edit's Return).
  struct Dispatch {
    Dispatch() { ++dispatchDepth_; }
    ~Dispatch() { --dispatchDepth_; }
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;
  };

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  MouseEvent toMouseEvent(QPointF local, const QMouseEvent* event) const;
  void deliverMouse(QMouseEvent* event, void (KivImageView::*handler)(const MouseEvent&),
                    int clickCount = 1);
  // Runs a handler of the view; true when the view let the event pass.
  template <typename Call>
  bool deliver(Call&& call);
  // Enter and exit, each once per crossing of the bounds.
  void pointerEntered(QPointF local);
  void pointerExited(QPointF local);

  KivImageView* view_;
  bool pointerInside_ = false;
  static inline int dispatchDepth_ = 0;
};

// The host of an ordinary view: one ViewWidget.
class QtViewHost : public ViewHost {
 public:
  explicit QtViewHost(KivImageView& view);
  ~QtViewHost() override;

  void setFrame(const Rect& frame) override;
  void setNeedsDisplay() override;
  void setSuperHost(ViewHost* superHost) override;
  void setHidden(bool hidden) override;
  bool inHiddenWindow() const override;
  Point convertToScreen(const Point& inView) const override;
  Point convertToWindow(const Point& inView) const override;
  void setAcceptsKeyboardFocus(bool accepts) override;
  bool makeFirstResponder() override;
  void resignFirstResponder() override;
  void accessibilityChanged() override;

  // Places the widget directly in a window's widget (the content view).
  void setParentWidget(QWidget* parent);
  QWidget* widget() const { return widget_; }

 private:
  QPointer<ViewWidget> widget_;
  Rect frame_;
  bool hidden_ = false;
  // What screen readers were last told; none while accessibility is off.
  std::optional<AccessibleSnapshot> announced_;
};

// The widget behind a view (tests send it events and grab it); nullptr before the view
// has a frame.
QWidget* widgetOf(const KivImageView& view);

// Screen coordinates with y up, measured from the bottom of the primary screen.
double screenHeight();

}  // namespace velt
