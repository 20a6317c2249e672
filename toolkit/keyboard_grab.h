#pragma once

#include <memory>

namespace velt {

class KivImageView;

// What a keyboard grab got from the desktop.
enum class KeyboardGrab {
  // Every key of the desktop reaches the view's window, the shortcuts the desktop would
  // take (Ctrl+Alt+L, Super) too: an X11 grab, or a Wayland compositor that passes its
  // shortcuts on (the keyboard-shortcuts-inhibit protocol).
  Taken,
  // A Wayland compositor that cannot be asked to pass its shortcuts on: those it takes
  // never reach the window.
  ShortcutsNotOffered,
  // No grab on this platform (offscreen): the view gets the keys its window gets.
  Unavailable,
};

// Takes and lets go the desktop's keys for a view's window. The platform's is the
// default; tests install their own.
class KeyboardGrabber {
 public:
  virtual ~KeyboardGrabber() = default;
  virtual KeyboardGrab grab(KivImageView& view) = 0;
  virtual void release(KivImageView& view) = 0;
};

KeyboardGrabber& keyboardGrabber();
// Installs a grabber (tests); nullptr restores the platform's.
void setKeyboardGrabber(std::unique_ptr<KeyboardGrabber> grabber);

inline KeyboardGrab grabKeyboard(KivImageView& view) {
  return keyboardGrabber().grab(view);
}
inline void releaseKeyboard(KivImageView& view) {
  keyboardGrabber().release(view);
}

}  // namespace velt
