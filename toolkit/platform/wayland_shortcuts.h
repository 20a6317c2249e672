#pragma once

class QWindow;

namespace velt {

// Asks the Wayland compositor to pass every key to the window, its own shortcuts too
// (zwp_keyboard_shortcuts_inhibit_manager_v1), until restoreShortcuts. False when the
// compositor does not offer the protocol, the window has no surface yet or the display
// has no seat; asking again for a window that has it already answers true.
bool inhibitShortcuts(QWindow& window);
void restoreShortcuts(QWindow& window);

}  // namespace velt
