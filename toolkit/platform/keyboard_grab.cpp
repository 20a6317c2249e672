#include "toolkit/keyboard_grab.h"

#include <QWidget>
#include <QWindow>

#include "toolkit/platform/ViewWidget.h"

namespace velt {

namespace {

QWindow* windowOf(KivImageView& view) {
  QWidget* widget = widgetOf(view);
  return widget ? widget->window()->windowHandle() : nullptr;
}

}  // namespace

bool grabKeyboard(KivImageView& view) {
  QWindow* window = windowOf(view);
  return window && window->setKeyboardGrabEnabled(true);
}

void releaseKeyboard(KivImageView& view) {
  if (QWindow* window = windowOf(view)) window->setKeyboardGrabEnabled(false);
}

}  // namespace velt
