#include "toolkit/platform/qt_keys.h"

#include <array>
#include <utility>

namespace velt {

namespace {

// clang-format off
// Qt key -> host virtual key code. The host codes number physical key positions of
// the US layout (0 is A, 36 Return, 123 to 126 the arrows), so letters and symbols map
// by the key that carries them there.
constexpr std::pair<int, uint16_t> kKeys[] = {
  {Qt::Key_A, 0}, {Qt::Key_S, 1}, {Qt::Key_D, 2}, {Qt::Key_F, 3}, {Qt::Key_H, 4},
  {Qt::Key_G, 5}, {Qt::Key_Z, 6}, {Qt::Key_X, 7}, {Qt::Key_C, 8}, {Qt::Key_V, 9},
  {Qt::Key_B, 11}, {Qt::Key_Q, 12}, {Qt::Key_W, 13}, {Qt::Key_E, 14}, {Qt::Key_R, 15},
  {Qt::Key_Y, 16}, {Qt::Key_T, 17}, {Qt::Key_1, 18}, {Qt::Key_Exclam, 18},
  {Qt::Key_2, 19}, {Qt::Key_At, 19}, {Qt::Key_3, 20}, {Qt::Key_NumberSign, 20},
  {Qt::Key_4, 21}, {Qt::Key_Dollar, 21}, {Qt::Key_6, 22}, {Qt::Key_AsciiCircum, 22},
  {Qt::Key_5, 23}, {Qt::Key_Percent, 23}, {Qt::Key_Equal, 24}, {Qt::Key_Plus, 24},
  {Qt::Key_9, 25}, {Qt::Key_ParenLeft, 25}, {Qt::Key_7, 26}, {Qt::Key_Ampersand, 26},
  {Qt::Key_Minus, 27}, {Qt::Key_Underscore, 27}, {Qt::Key_8, 28}, {Qt::Key_Asterisk, 28},
  {Qt::Key_0, 29}, {Qt::Key_ParenRight, 29}, {Qt::Key_BracketRight, 30},
  {Qt::Key_BraceRight, 30}, {Qt::Key_O, 31}, {Qt::Key_U, 32}, {Qt::Key_BracketLeft, 33},
  {Qt::Key_BraceLeft, 33}, {Qt::Key_I, 34}, {Qt::Key_P, 35}, {Qt::Key_Return, 36},
  {Qt::Key_L, 37}, {Qt::Key_J, 38}, {Qt::Key_Apostrophe, 39}, {Qt::Key_QuoteDbl, 39},
  {Qt::Key_K, 40}, {Qt::Key_Semicolon, 41}, {Qt::Key_Colon, 41}, {Qt::Key_Backslash, 42},
  {Qt::Key_Bar, 42}, {Qt::Key_Comma, 43}, {Qt::Key_Less, 43}, {Qt::Key_Slash, 44},
  {Qt::Key_Question, 44}, {Qt::Key_N, 45}, {Qt::Key_M, 46}, {Qt::Key_Period, 47},
  {Qt::Key_Greater, 47}, {Qt::Key_Tab, 48}, {Qt::Key_Backtab, 48}, {Qt::Key_Space, 49},
  {Qt::Key_QuoteLeft, 50}, {Qt::Key_AsciiTilde, 50}, {Qt::Key_Backspace, 51},
  {Qt::Key_Enter, 76}, {Qt::Key_Escape, 53}, {Qt::Key_Meta, 55}, {Qt::Key_Super_L, 55},
  {Qt::Key_Super_R, 54}, {Qt::Key_Shift, 56}, {Qt::Key_CapsLock, 57}, {Qt::Key_Alt, 58},
  {Qt::Key_AltGr, 61}, {Qt::Key_Control, 59}, {Qt::Key_F17, 64}, {Qt::Key_VolumeUp, 72},
  {Qt::Key_VolumeDown, 73}, {Qt::Key_VolumeMute, 74}, {Qt::Key_F18, 79}, {Qt::Key_F19, 80},
  {Qt::Key_F20, 90}, {Qt::Key_F5, 96}, {Qt::Key_F6, 97}, {Qt::Key_F7, 98}, {Qt::Key_F3, 99},
  {Qt::Key_F8, 100}, {Qt::Key_F9, 101}, {Qt::Key_F11, 103}, {Qt::Key_F13, 105},
  {Qt::Key_F16, 106}, {Qt::Key_F14, 107}, {Qt::Key_F10, 109}, {Qt::Key_F12, 111},
  {Qt::Key_F15, 113}, {Qt::Key_Help, 114}, {Qt::Key_Insert, 114}, {Qt::Key_Home, 115},
  {Qt::Key_PageUp, 116}, {Qt::Key_Delete, 117}, {Qt::Key_F4, 118}, {Qt::Key_End, 119},
  {Qt::Key_F2, 120}, {Qt::Key_PageDown, 121}, {Qt::Key_F1, 122}, {Qt::Key_Left, 123},
  {Qt::Key_Right, 124}, {Qt::Key_Down, 125}, {Qt::Key_Up, 126},
};

// Keypad keys: Qt reports the digit with the keypad modifier.
constexpr std::pair<int, uint16_t> kKeypadKeys[] = {
  {Qt::Key_Period, 65}, {Qt::Key_Asterisk, 67}, {Qt::Key_Plus, 69}, {Qt::Key_Clear, 71},
  {Qt::Key_Slash, 75}, {Qt::Key_Enter, 76}, {Qt::Key_Minus, 78}, {Qt::Key_Equal, 81},
  {Qt::Key_0, 82}, {Qt::Key_1, 83}, {Qt::Key_2, 84}, {Qt::Key_3, 85}, {Qt::Key_4, 86},
  {Qt::Key_5, 87}, {Qt::Key_6, 88}, {Qt::Key_7, 89}, {Qt::Key_8, 91}, {Qt::Key_9, 92},
};

// X11 key codes of the right-hand modifiers, which Qt reports with the left-hand keys.
constexpr std::pair<quint32, uint16_t> kRightModifiers[] = {
  {62, 60},   // Shift_R
  {105, 62},  // Control_R
  {108, 61},  // Alt_R
  {134, 54},  // Super_R
};
// clang-format on

template <typename Table, typename Key>
bool lookUp(const Table& table, Key key, uint16_t& code) {
  for (const auto& [from, to] : table)
    if (from == key) {
      code = to;
      return true;
    }
  return false;
}

}  // namespace

uint16_t hostKeyCode(int qtKey, quint32 nativeScanCode, Qt::KeyboardModifiers modifiers) {
  uint16_t code = 0xFFFF;
  if ((modifiers & Qt::KeypadModifier) && lookUp(kKeypadKeys, qtKey, code)) return code;
  bool modifierKey = qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
                     qtKey == Qt::Key_Meta;
  if (modifierKey && lookUp(kRightModifiers, nativeScanCode, code)) return code;
  lookUp(kKeys, qtKey, code);
  return code;
}

uint32_t hostModifierFlags(Qt::KeyboardModifiers modifiers) {
  uint32_t flags = 0;
  if (modifiers & Qt::ShiftModifier) flags |= kModifierShift;
  if (modifiers & Qt::ControlModifier) flags |= kModifierControl;
  if (modifiers & Qt::AltModifier) flags |= kModifierOption;
  if (modifiers & Qt::MetaModifier) flags |= kModifierCommand;
  return flags;
}

bool isModifierKey(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
      return true;
    default:
      return false;
  }
}

KeyEvent toKeyEvent(const QKeyEvent& event) {
  KeyEvent result;
  result.keyCode = hostKeyCode(event.key(), event.nativeScanCode(), event.modifiers());
  result.modifierFlags = hostModifierFlags(event.modifiers());
  // Platforms differ in whether a modifier's own event carries its flag; here it does
  // exactly while the key is down, so its press and release are told apart.
  if (isModifierKey(event)) {
    uint32_t own = modifierFlagOfKey(result.keyCode);
    if (event.type() == QEvent::KeyPress)
      result.modifierFlags |= own;
    else
      result.modifierFlags &= ~own;
  }
  result.characters = event.text().toStdString();
  result.isRepeat = event.isAutoRepeat();
  return result;
}

}  // namespace velt
