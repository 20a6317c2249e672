#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/GraphicsContext.h"
#include "toolkit/Image.h"
#include "toolkit/ViewHost.h"
#include "toolkit/events.h"
#include "toolkit/geometry.h"

namespace velt {

// What a control reports to screen readers and interface tests.
enum class AccessibleRole {
  Pane,
  Button,
  CheckBox,
  Slider,
  ScrollBar,
  List,
  ListItem,
  Menu,
  MenuItem,
  ComboBox,
  StaticText,
  Graphic,
  ProgressBar,
  EditableText
};

// A number within a range, as a screen reader reads a slider, scroll bar or progress bar.
struct AccessibleRange {
  double value = 0;
  double minimum = 0;
  double maximum = 0;
  double step = 1;
  bool operator==(const AccessibleRange&) const = default;
};

// One row of a control that a screen reader walks as a child of its own (a menu item, a
// list row, a thumb); the rectangle is in the control's own coordinates.
struct AccessibleRow {
  AccessibleRole role = AccessibleRole::ListItem;
  std::string name;
  Rect rect;
  bool selected = false;
  bool enabled = true;
  bool hasPopup = false;                                // opens a submenu
  std::optional<AccessibleRange> range = std::nullopt;  // a thumb's value
};

// Tells later whether a view still exists. A control takes one before a call that may
// destroy it (a report to its parent, whose handler may close the dialog or page that
// holds the control) and touches nothing of its own after the call once it is gone.
class ViewLife {
 public:
  bool alive() const { return !token_.expired(); }
  explicit operator bool() const { return alive(); }

 private:
  friend class KivImageView;
  explicit ViewLife(std::weak_ptr<const int> token) : token_(std::move(token)) {}
  std::weak_ptr<const int> token_;
};

// Base of every control and page view. A view's frame is in its superview's
// coordinates, origin bottom left, y up; its own drawing and events use its bounds,
// (0, 0) at its bottom-left corner. Views do not own each other: the object that creates
// a view keeps it (a page keeps its controls in fields) and must outlive nothing it
// relies on; a view that goes away leaves its superview and its subviews.
class KivImageView {
 public:
  KivImageView();
  virtual ~KivImageView();
  KivImageView(const KivImageView&) = delete;
  KivImageView& operator=(const KivImageView&) = delete;

  // Stores parent and ID, enables the view, initialises it with the frame and redraws.
  void initView(KivImageView* parent, int32_t id, const Rect& rect);
  // Platform initialisation with the frame; enter and exit tracking over the bounds.
  virtual void initWithFrame(const Rect& rect);

  void setBkImage(const Image& image);
  const Image& bkImage() const { return m_bkImage; }
  void enable(bool flag);
  bool isEnabled() const { return m_bEnable; }
  KivImageView* parent() const { return m_pParent; }
  int32_t viewID() const { return m_nID; }
  void setViewID(int32_t id) { m_nID = id; }

  // Parent protocol: the fallbacks only log.
  virtual void OnCmd(int32_t id);
  virtual void subMsg(int32_t id, int32_t value);

  // Whether this view is still there after a call that may have destroyed it.
  ViewLife life() const { return ViewLife(lifeToken_); }

  virtual void drawRect(GraphicsContext& gc, const Rect& dirtyRect);

  // Event entry points, in the view's own coordinates. A view that does not override
  // one passes the event on to its superview; a mouse down that no view takes drags
  // the window. Mouse up and drags go to the view that got the mouse down.
  virtual void mouseEntered(const MouseEvent& event);
  virtual void mouseExited(const MouseEvent& event);
  virtual void mouseDown(const MouseEvent& event);
  virtual void mouseUp(const MouseEvent& event);
  virtual void mouseDragged(const MouseEvent& event);
  virtual void mouseMoved(const MouseEvent& event);
  virtual void rightMouseDown(const MouseEvent& event);
  virtual void keyDown(const KeyEvent& event);
  virtual void keyUp(const KeyEvent& event);
  virtual void flagsChanged(const KeyEvent& event);
  // Keyboard focus: views refuse it unless they say otherwise.
  virtual bool acceptsFirstResponder() const { return false; }
  bool becomeFirstResponder();
  void resignFirstResponder();

  // View tree.
  void addSubview(KivImageView* view);
  void removeFromSuperview();
  KivImageView* superview() const { return superview_; }
  const std::vector<KivImageView*>& subviews() const { return subviews_; }
  void setFrame(const Rect& frame);
  const Rect& frame() const { return frame_; }
  Rect bounds() const { return frame_.bounds(); }
  void setHidden(bool hidden);
  bool isHidden() const { return hidden_; }
  // Neither it nor a superview is hidden and its window is on screen: what timers that
  // only animate or poll what the user sees check before they do any work.
  bool isShownOnScreen() const;
  void setNeedsDisplay();
  Point convertToScreen(const Point& inView) const;
  Point convertToWindow(const Point& inView) const;

  // Accessibility: role, name and value as a screen reader reads them. The name is the
  // one the page gives, else the control's own (a caption).
  virtual AccessibleRole accessibleRole() const { return AccessibleRole::Pane; }
  virtual std::string accessibleName() const { return m_strAccessibleName; }
  virtual std::string accessibleValue() const { return {}; }
  // Set for value controls (sliders, scroll and progress bars): the value as a number.
  virtual std::optional<AccessibleRange> accessibleRange() const { return std::nullopt; }
  // Set for controls that can be checked (check boxes): their check state.
  virtual std::optional<bool> accessibleChecked() const { return std::nullopt; }
  // Shown selected: a latched button (a tab, a mode button).
  virtual bool accessibleSelected() const { return false; }
  // Rows the control draws itself, in display order; none for most controls.
  virtual std::vector<AccessibleRow> accessibleRows() const { return {}; }
  void setAccessibleName(const std::string& name);
  // The longer wording read after the name (a dialog's full text).
  const std::string& accessibleDescription() const { return m_strAccessibleDescription; }
  void setAccessibleDescription(const std::string& description);
  // A control calls this when its name, value, range or check or selected state changed;
  // the platform announces what changed.
  void accessibilityChanged();

  // For the platform layer: whether the last event handler let the event pass.
  bool takeEventPassed();
  ViewHost* host() const { return host_.get(); }

 protected:
  // Hosts differ for views that embed a platform control (KivEdit).
  virtual std::unique_ptr<ViewHost> createHost();
  // An overriding handler calls this to let the event go on to the superview.
  void passEvent() { eventPassed_ = true; }
  // The two parent messages, sent to m_pParent when there is one. The parent's handler
  // may destroy this view: false then, and the caller returns at once.
  bool sendCmd(int32_t id);
  bool sendMsg(int32_t id, int32_t value);

  Image m_bkImage;
  KivImageView* m_pParent = nullptr;
  int32_t m_nID = 0;
  bool m_bEnable = true;
  std::string m_strAccessibleName;
  std::string m_strAccessibleDescription;

 private:
  std::unique_ptr<ViewHost> host_;
  KivImageView* superview_ = nullptr;
  std::vector<KivImageView*> subviews_;
  Rect frame_;
  bool hidden_ = false;
  bool eventPassed_ = false;
  std::shared_ptr<const int> lifeToken_ = std::make_shared<const int>(0);
};

}  // namespace velt
