#include "toolkit/keyboard_grab.h"

#include <QWidget>
#include <QWindow>

#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_windows.h"
#include "toolkit/platform/wayland_shortcuts.h"

namespace velt {

namespace {

QWindow* windowOf(KivImageView& view) {
  QWidget* widget = widgetOf(view);
  return widget ? widget->window()->windowHandle() : nullptr;
}

// X11 grabs the keyboard for the window. A Wayland client cannot grab (Qt's grab does
// nothing there); it asks the compositor to pass its shortcuts on instead.
class PlatformKeyboardGrabber : public KeyboardGrabber {
 public:
  KeyboardGrab grab(KivImageView& view) override {
    QWindow* window = windowOf(view);
    if (!window) return KeyboardGrab::Unavailable;
    if (onWayland())
      return inhibitShortcuts(*window) ? KeyboardGrab::Taken : KeyboardGrab::ShortcutsNotOffered;
    return window->setKeyboardGrabEnabled(true) ? KeyboardGrab::Taken : KeyboardGrab::Unavailable;
  }

  void release(KivImageView& view) override {
    QWindow* window = windowOf(view);
    if (!window) return;
    if (onWayland())
      restoreShortcuts(*window);
    else
      window->setKeyboardGrabEnabled(false);
  }
};

std::unique_ptr<KeyboardGrabber>& installed() {
  static std::unique_ptr<KeyboardGrabber> grabber;
  return grabber;
}

}  // namespace

KeyboardGrabber& keyboardGrabber() {
  auto& grabber = installed();
  if (!grabber) grabber = std::make_unique<PlatformKeyboardGrabber>();
  return *grabber;
}

void setKeyboardGrabber(std::unique_ptr<KeyboardGrabber> grabber) {
  installed() = std::move(grabber);
}

}  // namespace velt
