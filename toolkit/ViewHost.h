#pragma once

#include <memory>

#include "toolkit/geometry.h"

namespace velt {

class KivImageView;

// The platform object behind one view: it places the view in its superview, delivers
// its events and paints it by calling drawRect. Frames are in the superview's
// coordinates (bottom left); the host converts them to the window system's.
class ViewHost {
 public:
  virtual ~ViewHost() = default;
  virtual void setFrame(const Rect& frame) = 0;
  virtual void setNeedsDisplay() = 0;
  // Puts this host on top of the superview's hosts; nullptr takes it out.
  virtual void setSuperHost(ViewHost* superHost) = 0;
  virtual void setHidden(bool hidden) = 0;
  // Whether the view lies in a window that is not on screen; a view that is no window's
  // part (a control on its own in a test) is in none.
  virtual bool inHiddenWindow() const { return false; }
  virtual Point convertToScreen(const Point& inView) const = 0;
  virtual Point convertToWindow(const Point& inView) const = 0;
  virtual void setAcceptsKeyboardFocus(bool accepts) = 0;
  virtual bool makeFirstResponder() = 0;
  virtual void resignFirstResponder() = 0;
  // The view's accessible properties changed.
  virtual void accessibilityChanged() = 0;
};

// Implemented by the platform layer.
std::unique_ptr<ViewHost> createViewHost(KivImageView& view);

}  // namespace velt
