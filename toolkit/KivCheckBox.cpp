#include "toolkit/KivCheckBox.h"

namespace velt {

void KivCheckBox::setImages(const Image& normal, const Image& over, const Image& down,
                            const Image& disable) {
  m_pImageNormal = normal;
  m_pImageOver = over;
  m_pImageSelected = down;
  m_pImageDisable = disable;
  setNeedsDisplay();
}

void KivCheckBox::check(bool flag) {
  if (flag == m_bCheck) return;
  m_bCheck = flag;
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
}

Image KivCheckBox::currentImage() const {
  if (!m_bEnable && m_pImageDisable) return m_pImageDisable;
  if ((m_MouseState == kPressed || m_bCheck) && m_pImageSelected) return m_pImageSelected;
  if (m_MouseState == kOver && m_pImageOver) return m_pImageOver;
  if (m_MouseState == kNormal && m_pImageNormal) return m_pImageNormal;
  return {};
}

void KivCheckBox::drawRect(GraphicsContext& gc, const Rect&) {
  if (Image picture = currentImage()) gc.drawImage(picture, bounds(), CompositeMode::SourceIn);
}

void KivCheckBox::setMouseState(int32_t state) {
  m_MouseState = state;
  setNeedsDisplay();
}

void KivCheckBox::mouseEntered(const MouseEvent&) {
  setMouseState(kOver);
}

void KivCheckBox::mouseExited(const MouseEvent&) {
  setMouseState(kNormal);
}

void KivCheckBox::mouseDown(const MouseEvent&) {
  setMouseState(kPressed);
}

void KivCheckBox::mouseUp(const MouseEvent&) {
  m_MouseState = kNormal;
  m_bCheck = !m_bCheck;
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
  sendCmd(m_nID);
}

void KivCheckBox::mouseDragged(const MouseEvent&) {}

std::string KivCheckBox::accessibleValue() const {
  return m_bCheck ? "checked" : "unchecked";
}

}  // namespace velt
