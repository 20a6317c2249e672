#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

#include "toolkit/KivWindow.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {

class KivImageView;

// The top-level widget of a KivWindow. Presses that no view took reach it; the first
// movement with the button held then drags the window: the desktop's move where there is
// one, by hand elsewhere (offscreen, X11 without a window manager).
//
// A pop-up window gets every mouse event of the program while it is open (Qt's pop-up
// grab). Those outside it go to the pop-up under the pointer (a menu whose submenu is
// open); a press outside every pop-up closes them all.
class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(KivWindow::Style style);
  ~WindowWidget() override;

  bool isPopup() const { return windowType() == Qt::Popup || windowType() == Qt::ToolTip; }
  // The widget of the view that opened the pop-up: a press on it closes the pop-up
  // without reaching it, so that its second click closes rather than reopens.
  QPointer<QWidget> opener;
  // The program's windows, oldest first.
  static const std::vector<WindowWidget*>& all();
  // The window a dialog shown now belongs to, for it to be transient for: the active
  // window of the program, else the newest shown; never a pop-up, nor the dialog itself.
  // Nullptr when none is shown.
  static QWidget* dialogOwner(const QWidget* dialog = nullptr);

  bool movable = true;
  std::function<void()> onCloseRequest;
  // The view is not owned; its widget tells whether it is still there.
  KivImageView* contentView = nullptr;
  QPointer<QWidget> contentWidget;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // A pop-up's event outside its bounds, passed to the pop-up under the pointer; false
  // when there is none.
  bool forwardToPopupUnderPointer(QMouseEvent* event);
  void closeAllPopups(QMouseEvent* press);
  void startDrag();

  bool pressed_ = false;
  bool dragging_ = false;
  QPoint grabOffset_;
};

struct KivWindow::Impl {
  explicit Impl(KivWindow::Style style) : widget(new WindowWidget(style)) {}
  // A window closed from a handler of one of its views goes once the event is over.
  ~Impl() { ViewWidget::dispose(widget); }
  WindowWidget* widget;
};

// Window frames and Qt geometry.
QRect toQtScreenRect(const Rect& contentRect);
Rect fromQtScreenRect(const QRect& rect);

}  // namespace velt
