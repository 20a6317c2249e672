#include "toolkit/KivWindow.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

#include "toolkit/KivImageView.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/WindowWidget.h"
#include "toolkit/platform/qt_accessibility.h"
#include "toolkit/platform/qt_convert.h"
#include "toolkit/platform/qt_windows.h"
#include "toolkit/popup_placement.h"

namespace velt {

namespace {

std::vector<WindowWidget*>& windowList() {
  static std::vector<WindowWidget*> windows;
  return windows;
}

Qt::WindowFlags flagsOf(KivWindow::Style style) {
  if (style != KivWindow::Style::Panel) return Qt::Window | Qt::FramelessWindowHint;
  // Qt's Wayland platform (6.4) makes a grabbing xdg pop-up of a Qt::Popup only right
  // after the compositor's input; one opened otherwise (a screen reader's action) becomes
  // a top-level window the compositor places anywhere. A tool tip is always an xdg
  // pop-up at its parent, without grab: a press on the window closes the menus as it
  // always did (hideMenuWindows) and each pop-up gets its own pointer events.
  if (!KivWindow::placesOwnWindows()) return Qt::ToolTip | Qt::FramelessWindowHint;
  return Qt::Popup | Qt::FramelessWindowHint;
}

QRect globalRectOf(const QWidget& widget) {
  return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
}

// Before the window is shown: the desktop reads it when the window appears.
void setTransientParent(QWidget* window, QWidget* parent) {
  QWindow* parentHandle = parent ? parent->windowHandle() : nullptr;
  if (!parentHandle || parent == window) return;
  window->winId();  // the window's platform handle, made now so that it takes the parent
  if (QWindow* handle = window->windowHandle()) handle->setTransientParent(parentHandle);
}

// The program on the accessibility bus: its windows, and the pop-ups that are open,
// which Qt's own leaves out (a screen reader then finds a menu's items under the program
// as it does when the menu is a window).
class ApplicationWithPopups : public QAccessibleApplication {
 public:
  int childCount() const override {
    return QAccessibleApplication::childCount() + static_cast<int>(openPopups().size());
  }
  QAccessibleInterface* child(int index) const override {
    const int windows = QAccessibleApplication::childCount();
    if (index < windows) return QAccessibleApplication::child(index);
    const auto popups = openPopups();
    const auto popup = static_cast<size_t>(index - windows);
    return popup < popups.size() ? QAccessible::queryAccessibleInterface(popups[popup]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const int index = QAccessibleApplication::indexOfChild(child);
    if (index >= 0 || !child) return index;
    const auto popups = openPopups();
    auto found = std::find(popups.begin(), popups.end(), child->object());
    if (found == popups.end()) return -1;
    return QAccessibleApplication::childCount() + static_cast<int>(found - popups.begin());
  }

 private:
  static std::vector<QObject*> openPopups() {
    std::vector<QObject*> popups;
    for (WindowWidget* window : windowList())
      if (window->windowType() == Qt::Popup && window->isVisible()) popups.push_back(window);
    return popups;
  }
};

QAccessibleInterface* applicationInterface(const QString&, QObject* object) {
  return object && object == QCoreApplication::instance() ? new ApplicationWithPopups : nullptr;
}

}  // namespace

QWidget* WindowWidget::dialogOwner(const QWidget* dialog) {
  auto fits = [dialog](const QWidget* w) {
    const auto* window = dynamic_cast<const WindowWidget*>(w);
    return window && window != dialog && !window->isPopup() && window->isVisible();
  };
  if (QWidget* active = QApplication::activeWindow(); fits(active)) return active;
  const auto& windows = windowList();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (fits(*it)) return *it;
  return nullptr;
}

WindowWidget::WindowWidget(KivWindow::Style style) : QWidget(nullptr, flagsOf(style)) {
  // Before anything asks for the window's accessible interface, which Qt then keeps.
  installAccessibilityFactory();
  static const bool applicationFactoryInstalled =
      (QAccessible::installFactory(applicationInterface), true);
  (void)applicationFactoryInstalled;
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFocusPolicy(Qt::StrongFocus);
  // A pop-up follows the pointer over the menus it opened from.
  if (isPopup()) setMouseTracking(true);
  windowList().push_back(this);
}

WindowWidget::~WindowWidget() {
  auto& windows = windowList();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

const std::vector<WindowWidget*>& WindowWidget::all() {
  return windowList();
}

bool WindowWidget::forwardToPopupUnderPointer(QMouseEvent* event) {
  const QPoint global = event->globalPosition().toPoint();
  const auto& windows = windowList();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    WindowWidget* popup = *it;
    if (popup == this || !popup->isPopup() || !popup->isVisible() ||
        !globalRectOf(*popup).contains(global))
      continue;
    QWidget* target = popup->childAt(popup->mapFromGlobal(global));
    if (!target) target = popup;
    QMouseEvent forwarded(event->type(), target->mapFromGlobal(event->globalPosition()),
                          event->globalPosition(), event->button(), event->buttons(),
                          event->modifiers());
    QCoreApplication::sendEvent(target, &forwarded);
    return true;
  }
  return false;
}

void WindowWidget::closeAllPopups(QMouseEvent* press) {
  const QPoint global = press->globalPosition().toPoint();
  std::vector<QPointer<WindowWidget>> open;
  bool onOpener = false;
  for (WindowWidget* window : windowList()) {
    if (!window->isPopup() || !window->isVisible()) continue;
    open.emplace_back(window);
    if (window->opener && window->opener->isVisible() &&
        globalRectOf(*window->opener).contains(global))
      onOpener = true;
  }
  // Newest first, as Qt closes pop-ups; a close handler may close others or destroy them.
  for (auto it = open.rbegin(); it != open.rend(); ++it) {
    if (!*it || !(*it)->isVisible()) continue;
    (*it)->setAttribute(Qt::WA_NoMouseReplay, onOpener);
    (*it)->close();
  }
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
  if (isPopup() && !rect().contains(event->position().toPoint())) {
    if (!forwardToPopupUnderPointer(event)) closeAllPopups(event);
    return;
  }
  if (!movable || event->button() != Qt::LeftButton) return;
  // The move starts with the first movement: a press and release in place stay a click.
  pressed_ = true;
  grabOffset_ = event->globalPosition().toPoint() - pos();
}

void WindowWidget::startDrag() {
  // The desktop moves the window where it can (on Wayland only the compositor places
  // windows); elsewhere, offscreen included, the window follows the pointer by hand.
  if (windowHandle() && windowHandle()->startSystemMove()) return;
  dragging_ = KivWindow::placesOwnWindows();
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
  if (isPopup() && !rect().contains(event->position().toPoint())) {
    forwardToPopupUnderPointer(event);
    return;
  }
  if (!(event->buttons() & Qt::LeftButton)) return;
  if (pressed_) {
    pressed_ = false;
    startDrag();
  }
  if (dragging_) move(event->globalPosition().toPoint() - grabOffset_);
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
  pressed_ = false;
  dragging_ = false;
  if (isPopup() && !rect().contains(event->position().toPoint())) forwardToPopupUnderPointer(event);
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
  // A pop-up's place is relative to its parent window, which Qt works out from both
  // places even where the desktop keeps the real ones to itself.
  if (placesOwnWindows() || impl_->widget->isPopup()) impl_->widget->move(r.topLeft());
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

Rect KivWindow::screenFrameAt(const Point& screenPoint) {
  const QPoint inQt(static_cast<int>(std::lround(screenPoint.x)),
                    static_cast<int>(std::lround(screenHeight() - screenPoint.y)));
  QScreen* screen = QGuiApplication::screenAt(inQt);
  if (!screen) return screenFrame();
  return fromQtScreenRect(screen->availableGeometry());
}

bool KivWindow::placesOwnWindows() {
  return !onWayland();
}

void KivWindow::popUp(const Rect& frame, const Rect& opener, const KivImageView* owner) {
  WindowWidget* widget = impl_->widget;
  QWidget* ownerWidget = owner ? widgetOf(*owner) : nullptr;
  widget->opener = ownerWidget;
  const Point middle{opener.x + opener.width / 2, opener.y + opener.height / 2};
  setFrame(placesOwnWindows() ? keepPopupOnScreen(frame, opener, screenFrameAt(middle)) : frame);
  if (ownerWidget) setTransientParent(widget, ownerWidget->window());
  makeKeyAndOrderFront();
}

void KivWindow::makeKeyAndOrderFront() {
  orderFront();
  impl_->widget->activateWindow();
}

void KivWindow::orderFront() {
  WindowWidget* widget = impl_->widget;
  if (!widget->isPopup() && widget->windowModality() != Qt::NonModal && !widget->isVisible())
    setTransientParent(widget, WindowWidget::dialogOwner(widget));
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
