#pragma once

namespace velt {

class KivImageView;

// Sends every key of the desktop to the view's window while grabbed, so that shortcuts
// the desktop would take (Ctrl+Alt+L, Super) reach the view instead. False where the
// platform cannot grab (the offscreen platform, Wayland); the view then gets the keys
// its window gets.
bool grabKeyboard(KivImageView& view);
void releaseKeyboard(KivImageView& view);

}  // namespace velt
