#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

#include "toolkit/KivWindow.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {

class KivImageView;

// The top-level widget of a KivWindow. Presses that no view took reach it and drag the
// window by hand, which works without a window manager's help (and offscreen).
class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(KivWindow::Style style);

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
