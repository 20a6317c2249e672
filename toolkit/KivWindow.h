#pragma once

#include <functional>
#include <memory>
#include <string>

#include "toolkit/geometry.h"

namespace velt {

class KivImageView;

// A borderless window of fixed size whose content is one root view. It can become the
// key window, so that a borderless dialog gets keyboard input. Frames are content
// rectangles in screen coordinates, bottom left of the primary screen, y up.
class KivWindow {
 public:
  enum class Style {
    Main,  // an application window
    // A pop-up (menu, submenu, palette): a platform pop-up window attached to the window
    // of the view that opened it (on Wayland an xdg pop-up, placed by the compositor
    // relative to that window); a press outside every pop-up or Escape closes it.
    Panel,
  };

  explicit KivWindow(const Rect& contentRect, Style style = Style::Main);
  ~KivWindow();
  KivWindow(const KivWindow&) = delete;
  KivWindow& operator=(const KivWindow&) = delete;

  // The view gets the content bounds as its frame.
  void setContentView(KivImageView* view);
  KivImageView* contentView() const;

  void setFrame(const Rect& contentRect);
  Rect frame() const;
  void setTitle(const std::string& title);
  // What a screen reader reads for the window: its name (a dialog's headline; the title
  // when none is given) and its description (a dialog's full wording).
  void setAccessibleName(const std::string& name);
  void setAccessibleDescription(const std::string& description);
  // A modal window takes every event of the program while it is shown. A modal window
  // (a dialog) shown while another of the program's windows is there is transient for
  // it: the desktop stacks it on that window and may centre it there.
  void setModal(bool modal);
  // What a close request from the desktop does (the window manager's close, Alt+F4);
  // without one the window just hides.
  void setOnCloseRequest(std::function<void()> handler);

  // Shows a pop-up at the frame (screen coordinates), transient for the window of the
  // owner view. Where the program places its own windows (X11) the frame is first kept
  // on the screen, flipped to the other side of the opener (the screen rectangle of what
  // opened it) or slid; on Wayland the compositor does that, relative to the owner.
  void popUp(const Rect& frame, const Rect& opener, const KivImageView* owner);
  // Whether the platform lets the program read and set its windows' screen positions
  // (X11, offscreen); on Wayland only the compositor places windows.
  static bool placesOwnWindows();

  void makeKeyAndOrderFront();
  void orderFront();
  void orderOut();
  bool isVisible() const;
  bool isKeyWindow() const;
  bool canBecomeKeyWindow() const { return true; }

  // A press that no view takes and a movement with the button held drag the window (the
  // desktop's move where it has one); a press and release in place stay a click. On by
  // default.
  void setMovableByWindowBackground(bool movable);
  bool isMovableByWindowBackground() const;

  // The primary screen's available area, bottom left, y up.
  static Rect screenFrame();
  // The available area of the screen that holds the point, or the primary screen's.
  static Rect screenFrameAt(const Point& screenPoint);

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace velt
