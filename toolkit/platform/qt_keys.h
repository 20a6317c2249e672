#pragma once

#include <QKeyEvent>

#include "toolkit/events.h"

namespace velt {

// Qt key events in the host's terms: virtual key codes by key position as the key code
// table names them, and the host's modifier bits.
KeyEvent toKeyEvent(const QKeyEvent& event);
bool isModifierKey(const QKeyEvent& event);
uint32_t hostModifierFlags(Qt::KeyboardModifiers modifiers);
// The host code of a Qt key, 0xFFFF for one the host keyboard does not have.
uint16_t hostKeyCode(int qtKey, quint32 nativeScanCode, Qt::KeyboardModifiers modifiers);

}  // namespace velt
