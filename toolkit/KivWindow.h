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
    Main,   // an application window
    Panel,  // a pop-up (menu, palette) that floats over its owner and stays off the taskbar
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
  // A modal window takes every event of the program while it is shown.
  void setModal(bool modal);
  // What a close request from the desktop does (the window manager's close, Alt+F4);
  // without one the window just hides.
  void setOnCloseRequest(std::function<void()> handler);

  void makeKeyAndOrderFront();
  void orderFront();
  void orderOut();
  bool isVisible() const;
  bool isKeyWindow() const;
  bool canBecomeKeyWindow() const { return true; }

  // A press that no view takes drags the window; on by default.
  void setMovableByWindowBackground(bool movable);
  bool isMovableByWindowBackground() const;

  // The primary screen's available area, bottom left, y up.
  static Rect screenFrame();

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace velt
