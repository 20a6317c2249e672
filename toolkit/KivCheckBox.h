#pragma once

#include "toolkit/KivImageView.h"

namespace velt {

// A two-state picture button. It follows the mouse and toggles even while disabled (only
// the disabled picture shows the difference), so a parent that disables a check box
// ignores its OnCmd itself when it needs to.
class KivCheckBox : public KivImageView {
 public:
  enum MouseState { kNormal = 0, kOver = 1, kPressed = 2 };

  void setImages(const Image& normal, const Image& over, const Image& down, const Image& disable);
  // Redraws only when the state changes.
  void check(bool flag);
  bool isCheck() const { return m_bCheck; }
  int32_t mouseState() const { return m_MouseState; }

  // The picture drawRect shows now, or a null image when it shows none.
  Image currentImage() const;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseEntered(const MouseEvent& event) override;
  void mouseExited(const MouseEvent& event) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;
  void mouseDragged(const MouseEvent& event) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::CheckBox; }
  std::string accessibleValue() const override;
  std::optional<bool> accessibleChecked() const override { return m_bCheck; }

 private:
  void setMouseState(int32_t state);

  Image m_pImageNormal;
  Image m_pImageOver;
  Image m_pImageSelected;  // checked or pressed
  Image m_pImageDisable;
  bool m_bCheck = false;
  int32_t m_MouseState = kNormal;
};

}  // namespace velt
