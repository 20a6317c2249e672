#include "toolkit/KivWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <cmath>

#include "toolkit/KivImageView.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/WindowWidget.h"
#include "toolkit/platform/qt_accessibility.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {

static Qt::WindowFlags flagsOf(KivWindow::Style style) {
  Qt::WindowFlags flags = Qt::FramelessWindowHint;
  if (style == KivWindow::Style::Panel) flags |= Qt::Tool | Qt::WindowStaysOnTopHint;
  return flags | Qt::Window;
}

WindowWidget::WindowWidget(KivWindow::Style style) : QWidget(nullptr, flagsOf(style)) {
  // Before anything asks for the window's accessible interface, which Qt then keeps.
  installAccessibilityFactory();
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFocusPolicy(Qt::StrongFocus);
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
  if (!movable || event->button() != Qt::LeftButton) return;
  // The desktop moves the window where it can (Wayland lets only the compositor place
  // windows); elsewhere, offscreen included, the window follows the pointer by hand.
  if (windowHandle() && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  grabOffset_ = event->globalPosition().toPoint() - pos();
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton))
    move(event->globalPosition().toPoint() - grabOffset_);
}

void WindowWidget::mouseReleaseEvent(QMouseEvent*) {
  dragging_ = false;
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  if (!onCloseRequest) return QWidget::closeEvent(event);
  event->ignore();
  // A copy: the handler may replace itself or destroy the window.
  auto handler = onCloseRequest;
  handler();
}

QRect toQtScreenRect(const Rect& r) {
  int width = static_cast<int>(std::lround(r.width));
  int height = static_cast<int>(std::lround(r.height));
  int top = static_cast<int>(std::lround(screenHeight() - r.maxY()));
  return QRect(static_cast<int>(std::lround(r.x)), top, width, height);
}

Rect fromQtScreenRect(const QRect& r) {
  return {static_cast<double>(r.x()), screenHeight() - (r.y() + r.height()),
          static_cast<double>(r.width()), static_cast<double>(r.height())};
}

KivWindow::KivWindow(const Rect& contentRect, Style style) : impl_(std::make_unique<Impl>(style)) {
  setFrame(contentRect);
}

KivWindow::~KivWindow() {
  // The content view outlives its window's widget.
  if (QWidget* content = impl_->widget->contentWidget) content->setParent(nullptr);
}

void KivWindow::setContentView(KivImageView* view) {
  WindowWidget* widget = impl_->widget;
  if (KivImageView* old = contentView())
    static_cast<QtViewHost*>(old->host())->setParentWidget(nullptr);
  widget->contentView = view;
  widget->contentWidget = nullptr;
  if (!view) return;
  view->removeFromSuperview();
  if (!view->host()) view->initWithFrame({0, 0, frame().width, frame().height});
  view->setFrame({0, 0, frame().width, frame().height});
  static_cast<QtViewHost*>(view->host())->setParentWidget(widget);
  widget->contentWidget = widgetOf(*view);
}

KivImageView* KivWindow::contentView() const {
  return impl_->widget->contentWidget ? impl_->widget->contentView : nullptr;
}

void KivWindow::setFrame(const Rect& contentRect) {
  QRect r = toQtScreenRect(contentRect);
  impl_->widget->setFixedSize(r.size());
  impl_->widget->move(r.topLeft());
  if (KivImageView* view = contentView()) view->setFrame(contentRect.bounds());
}

Rect KivWindow::frame() const {
  return fromQtScreenRect(QRect(impl_->widget->pos(), impl_->widget->size()));
}

void KivWindow::setTitle(const std::string& title) {
  impl_->widget->setWindowTitle(qt::toQString(title));
}

void KivWindow::setAccessibleName(const std::string& name) {
  impl_->widget->setAccessibleName(qt::toQString(name));
}

void KivWindow::setAccessibleDescription(const std::string& description) {
  impl_->widget->setAccessibleDescription(qt::toQString(description));
}

void KivWindow::setModal(bool modal) {
  impl_->widget->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
}

void KivWindow::setOnCloseRequest(std::function<void()> handler) {
  impl_->widget->onCloseRequest = std::move(handler);
}

Rect KivWindow::screenFrame() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {0, 0, 1024, 768};
  return fromQtScreenRect(screen->availableGeometry());
}

void KivWindow::makeKeyAndOrderFront() {
  orderFront();
  impl_->widget->activateWindow();
}

void KivWindow::orderFront() {
  impl_->widget->show();
  // The offscreen platform has no stacking and says so on every raise.
  if (QGuiApplication::platformName() != "offscreen") impl_->widget->raise();
}

void KivWindow::orderOut() {
  impl_->widget->hide();
}

bool KivWindow::isVisible() const {
  return impl_->widget->isVisible();
}

bool KivWindow::isKeyWindow() const {
  return impl_->widget->isActiveWindow();
}

void KivWindow::setMovableByWindowBackground(bool movable) {
  impl_->widget->movable = movable;
}

bool KivWindow::isMovableByWindowBackground() const {
  return impl_->widget->movable;
}

}  // namespace velt
