#include "toolkit/platform/ViewWidget.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

#include "toolkit/platform/QtGraphicsContext.h"
#include "toolkit/platform/qt_accessibility.h"
#include "toolkit/platform/qt_convert.h"
#include "toolkit/platform/qt_keys.h"

namespace velt {

double screenHeight() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 0;
}

ViewWidget::ViewWidget(KivImageView& view) : view_(&view) {
  installAccessibilityFactory();
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_NoSystemBackground);
}

void ViewWidget::paintEvent(QPaintEvent* event) {
  if (!view_) return;
  QPainter painter(this);
  QtGraphicsContext gc(painter, height());
  view_->drawRect(gc, qt::fromQRect(event->rect(), height()));
}

MouseEvent ViewWidget::toMouseEvent(QPointF local, const QMouseEvent* event) const {
  MouseEvent result;
  result.location = {local.x(), height() - local.y()};
  QPoint inWindow = mapTo(window(), local.toPoint());
  result.locationInWindow = {static_cast<double>(inWindow.x()),
                             window()->height() - static_cast<double>(inWindow.y())};
  QPointF global = mapToGlobal(local);
  result.screenLocation = {global.x(), screenHeight() - global.y()};
  if (event) {
    result.button = event->button() == Qt::RightButton  ? MouseButton::Right
                    : event->button() == Qt::LeftButton ? MouseButton::Left
                                                        : MouseButton::Other;
    result.modifierFlags = hostModifierFlags(event->modifiers());
  }
  return result;
}

template <typename Call>
bool ViewWidget::deliver(Call&& call) {
  if (!view_) return false;
  {
    Dispatch running;
    view_->takeEventPassed();
    call(*view_);
  }
  return view_ && view_->takeEventPassed();
}

void ViewWidget::deliverMouse(QMouseEvent* event, void (KivImageView::*handler)(const MouseEvent&),
                              int clickCount) {
  MouseEvent e = toMouseEvent(event->position(), event);
  e.clickCount = clickCount;
  if (deliver([&](KivImageView& view) { (view.*handler)(e); }))
    event->ignore();
  else
    event->accept();
}

void ViewWidget::pointerEntered(QPointF local) {
  if (pointerInside_) return;
  pointerInside_ = true;
  MouseEvent e = toMouseEvent(local, nullptr);
  deliver([&](KivImageView& view) { view.mouseEntered(e); });
}

void ViewWidget::pointerExited(QPointF local) {
  if (!pointerInside_) return;
  pointerInside_ = false;
  MouseEvent e = toMouseEvent(local, nullptr);
  deliver([&](KivImageView& view) { view.mouseExited(e); });
}

void ViewWidget::enterEvent(QEnterEvent* event) {
  pointerEntered(event->position());
}

// After a drag that ended outside, Qt sends the held-back leave: it is one already told.
void ViewWidget::leaveEvent(QEvent*) {
  pointerExited(mapFromGlobal(QCursor::pos()));
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
  // A press is inside: a drag from here must not report an enter first.
  pointerInside_ = true;
  if (event->button() == Qt::RightButton)
    deliverMouse(event, &KivImageView::rightMouseDown);
  else
    deliverMouse(event, &KivImageView::mouseDown);
}

void ViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // Qt replaces the second press by this event; the views see a press with count 2.
  pointerInside_ = true;
  if (event->button() == Qt::RightButton)
    deliverMouse(event, &KivImageView::rightMouseDown, 2);
  else
    deliverMouse(event, &KivImageView::mouseDown, 2);
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) {
    // This widget holds the mouse: the crossing comes first, so a drag that leaves
    // reaches a view that already knows the pointer is out.
    QPointF local = event->position();
    if (rect().contains(local.toPoint()))
      pointerEntered(local);
    else
      pointerExited(local);
    if (!view_) return;
    deliverMouse(event, &KivImageView::mouseDragged);
  } else {
    deliverMouse(event, &KivImageView::mouseMoved);
  }
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->ignore();
    return;
  }
  deliverMouse(event, &KivImageView::mouseUp);
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
  KeyEvent e = toKeyEvent(*event);
  bool modifier = isModifierKey(*event);
  if (deliver([&](KivImageView& view) { modifier ? view.flagsChanged(e) : view.keyDown(e); }))
    event->ignore();
}

void ViewWidget::keyReleaseEvent(QKeyEvent* event) {
  KeyEvent e = toKeyEvent(*event);
  bool modifier = isModifierKey(*event);
  if (deliver([&](KivImageView& view) { modifier ? view.flagsChanged(e) : view.keyUp(e); }))
    event->ignore();
}

// Tab and Backtab reach a view that takes keys and holds the focus itself (a key
// capture, the macro recorder) instead of moving the focus on; from a child (a text
// field) they move it as usual.
bool ViewWidget::focusNextPrevChild(bool next) {
  QWidget* focus = QApplication::focusWidget();
  const bool fromChild = focus && focus != this && isAncestorOf(focus);
  if (view_ && view_->acceptsFirstResponder() && !fromChild) return false;
  return QWidget::focusNextPrevChild(next);
}

void ViewWidget::dispose(QWidget* widget) {
  if (!dispatching()) {
    delete widget;
    return;
  }
  // Inside a handler, perhaps one of this widget's own: Qt and the handler's caller still
  // use the widget, so it stays, hidden and out of its window, until the event is over.
  widget->hide();
  if (widget->parentWidget()) widget->setParent(nullptr);
  widget->deleteLater();
}

QtViewHost::QtViewHost(KivImageView& view) : widget_(new ViewWidget(view)) {}

QtViewHost::~QtViewHost() {
  if (!widget_) return;
  widget_->detachView();
  ViewWidget::dispose(widget_.data());
}

void QtViewHost::setFrame(const Rect& frame) {
  frame_ = frame;
  if (!widget_) return;
  QWidget* parent = widget_->parentWidget();
  double parentHeight = parent ? parent->height() : frame.height;
  double top = parent ? parentHeight - (frame.y + frame.height) : 0;
  widget_->setGeometry(static_cast<int>(std::lround(frame.x)), static_cast<int>(std::lround(top)),
                       static_cast<int>(std::lround(frame.width)),
                       static_cast<int>(std::lround(frame.height)));
  // A subview's Qt position depends on this view's height.
  for (KivImageView* sub : widget_->view()->subviews())
    if (sub->host()) sub->host()->setFrame(sub->frame());
}

void QtViewHost::setNeedsDisplay() {
  if (widget_) widget_->update();
}

void QtViewHost::setParentWidget(QWidget* parent) {
  if (!widget_) return;
  widget_->setParent(parent);
  setFrame(frame_);
  if (parent) {
    widget_->raise();
    widget_->setVisible(!hidden_);
  }
}

void QtViewHost::setSuperHost(ViewHost* superHost) {
  auto* super = static_cast<QtViewHost*>(superHost);
  setParentWidget(super ? super->widget() : nullptr);
}

void QtViewHost::setHidden(bool hidden) {
  hidden_ = hidden;
  // A widget without parent would become a window of its own when shown.
  if (widget_ && widget_->parentWidget()) widget_->setVisible(!hidden);
}

bool QtViewHost::inHiddenWindow() const {
  if (!widget_) return false;
  const QWidget* window = widget_->window();
  return window != widget_ && !window->isVisible();
}

Point QtViewHost::convertToScreen(const Point& inView) const {
  if (!widget_) return inView;
  QPointF global = widget_->mapToGlobal(QPointF(inView.x, widget_->height() - inView.y));
  return {global.x(), screenHeight() - global.y()};
}

Point QtViewHost::convertToWindow(const Point& inView) const {
  if (!widget_) return inView;
  QWidget* window = widget_->window();
  QPointF local(inView.x, widget_->height() - inView.y);
  QPointF inWindow = widget_->mapTo(window, local);
  return {inWindow.x(), window->height() - inWindow.y()};
}

void QtViewHost::setAcceptsKeyboardFocus(bool accepts) {
  if (widget_) widget_->setFocusPolicy(accepts ? Qt::StrongFocus : Qt::NoFocus);
}

bool QtViewHost::makeFirstResponder() {
  if (!widget_) return false;
  widget_->setFocusPolicy(Qt::StrongFocus);
  widget_->setFocus(Qt::OtherFocusReason);
  return true;
}

void QtViewHost::resignFirstResponder() {
  if (widget_) widget_->clearFocus();
}

void QtViewHost::accessibilityChanged() {
  if (!widget_ || !widget_->view()) return;
  if (!accessibilityListening()) {
    announced_.reset();
    return;
  }
  AccessibleSnapshot now = accessibleSnapshot(*widget_->view());
  announceAccessibilityChanges(widget_.data(), announced_.value_or(AccessibleSnapshot{}), now);
  announced_ = std::move(now);
}

std::unique_ptr<ViewHost> createViewHost(KivImageView& view) {
  return std::make_unique<QtViewHost>(view);
}

QWidget* widgetOf(const KivImageView& view) {
  auto* host = static_cast<QtViewHost*>(view.host());
  return host ? host->widget() : nullptr;
}

}  // namespace velt
