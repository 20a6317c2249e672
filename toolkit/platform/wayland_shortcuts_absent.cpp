// Built where Qt's Wayland client library is not there: no compositor is ever asked.
#include "toolkit/platform/wayland_shortcuts.h"

namespace velt {

bool inhibitShortcuts(QWindow&) {
  return false;
}

void restoreShortcuts(QWindow&) {}

}  // namespace velt
