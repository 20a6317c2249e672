#pragma once

#include <string>

#include "toolkit/KivImageView.h"

namespace velt {

// The push button: four pictures, an optional caption, a latched "selected" look, and
// OnCmd to the parent on every mouse up after a press while enabled.
class KivButton : public KivImageView {
 public:
  enum MouseState { kNormal = 0, kOver = 1, kPressed = 2 };

  void setImages(const Image& normal, const Image& over, const Image& down, const Image& disable);
  void setCaption(const std::string& caption);
  const std::string& caption() const { return m_strCaption; }
  void setSelected(bool flag);
  bool selected() const { return m_bSelected; }
  void setEnable(bool flag) { enable(flag); }
  int32_t mouseState() const { return m_MouseState; }

  // The picture drawRect shows now, or a null image when it shows none.
  Image currentImage() const;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseEntered(const MouseEvent& event) override;
  void mouseExited(const MouseEvent& event) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;
  void mouseDragged(const MouseEvent& event) override;
  bool acceptsFirstResponder() const override { return false; }

  AccessibleRole accessibleRole() const override { return AccessibleRole::Button; }
  std::string accessibleName() const override;
  bool accessibleSelected() const override { return m_bSelected; }

 protected:
  void setMouseState(int32_t state);

  Image m_pImageNormal;
  Image m_pImageOver;
  Image m_pImageSelected;
  Image m_pImageDisable;
  bool m_bSelected = false;
  std::string m_strCaption;
  int32_t m_MouseState = kNormal;
};

// Caption colours: grey when disabled, the accent when selected, white otherwise.
Color buttonCaptionColor(bool enabled, bool selected);
inline constexpr Point kButtonCaptionOrigin = {10, 5};

}  // namespace velt
