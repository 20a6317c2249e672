#include "toolkit/platform/wayland_shortcuts.h"

#include <qpa/qplatformnativeinterface.h>
#include <QGuiApplication>
#include <QWaylandClientExtensionTemplate>
#include <QWindow>

#include <map>
#include <memory>

#include "qwayland-keyboard-shortcuts-inhibit-unstable-v1.h"
#include "toolkit/platform/qt_windows.h"

namespace velt {

namespace {

// The compositor's global, bound when the display announces it (at once when the
// registry is known, as it is once a window is shown).
class InhibitManager : public QWaylandClientExtensionTemplate<InhibitManager>,
                       public QtWayland::zwp_keyboard_shortcuts_inhibit_manager_v1 {
 public:
  InhibitManager() : QWaylandClientExtensionTemplate<InhibitManager>(1) { initialize(); }
  ~InhibitManager() override {
    if (isActive()) destroy();
  }
};

class Inhibitor : public QtWayland::zwp_keyboard_shortcuts_inhibitor_v1 {
 public:
  explicit Inhibitor(::zwp_keyboard_shortcuts_inhibitor_v1* object)
      : QtWayland::zwp_keyboard_shortcuts_inhibitor_v1(object) {}
  ~Inhibitor() override { destroy(); }
  Inhibitor(const Inhibitor&) = delete;
  Inhibitor& operator=(const Inhibitor&) = delete;
};

InhibitManager& manager() {
  static InhibitManager* instance = new InhibitManager;  // lives as long as the display
  return *instance;
}

// One inhibitor per window: the protocol refuses a second for the same surface and seat.
std::map<QWindow*, std::unique_ptr<Inhibitor>>& inhibitors() {
  static std::map<QWindow*, std::unique_ptr<Inhibitor>> map;
  return map;
}

}  // namespace

bool inhibitShortcuts(QWindow& window) {
  if (!onWayland()) return false;
  if (inhibitors().count(&window)) return true;
  if (!manager().isActive()) return false;
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  auto* surface = static_cast<::wl_surface*>(native->nativeResourceForWindow("surface", &window));
  auto* seat = static_cast<::wl_seat*>(native->nativeResourceForIntegration("wl_seat"));
  if (!surface || !seat) return false;
  inhibitors()[&window] = std::make_unique<Inhibitor>(manager().inhibit_shortcuts(surface, seat));
  return true;
}

void restoreShortcuts(QWindow& window) {
  inhibitors().erase(&window);
}

}  // namespace velt
