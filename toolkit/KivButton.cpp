#include "toolkit/KivButton.h"

namespace velt {

void KivButton::setImages(const Image& normal, const Image& over, const Image& down,
                          const Image& disable) {
  m_pImageNormal = normal;
  m_pImageOver = over;
  m_pImageSelected = down;
  m_pImageDisable = disable;
  setNeedsDisplay();
}

void KivButton::setCaption(const std::string& caption) {
  m_strCaption = caption;
  setNeedsDisplay();
  accessibilityChanged();
}

void KivButton::setSelected(bool flag) {
  m_bSelected = flag;
  setNeedsDisplay();
  accessibilityChanged();
}

Image KivButton::currentImage() const {
  if (!m_bEnable && m_pImageDisable) return m_pImageDisable;
  if ((m_MouseState == kPressed || m_bSelected) && m_pImageSelected) return m_pImageSelected;
  if (m_MouseState == kOver && m_pImageOver) return m_pImageOver;
  if (m_MouseState == kNormal && m_pImageNormal) return m_pImageNormal;
  return {};
}

Color buttonCaptionColor(bool enabled, bool selected) {
  if (!enabled) return Color::gray(150 / 255.0);
  return selected ? kAccentColor : kWhiteColor;
}

void KivButton::drawRect(GraphicsContext& gc, const Rect&) {
  if (Image picture = currentImage()) gc.drawImage(picture, bounds(), CompositeMode::SourceIn);
  if (!m_strCaption.empty())
    gc.drawText(m_strCaption, kButtonCaptionOrigin, systemFont(9),
                buttonCaptionColor(m_bEnable, m_bSelected));
}

void KivButton::setMouseState(int32_t state) {
  m_MouseState = state;
  setNeedsDisplay();
}

void KivButton::mouseEntered(const MouseEvent&) {
  if (m_bEnable) setMouseState(kOver);
}

void KivButton::mouseExited(const MouseEvent&) {
  if (m_bEnable) setMouseState(kNormal);
}

void KivButton::mouseDown(const MouseEvent&) {
  // Taken even while disabled, so that a press on a dead button does not drag the window.
  if (m_bEnable) setMouseState(kPressed);
}

void KivButton::mouseUp(const MouseEvent&) {
  if (!m_bEnable) return;
  setMouseState(kNormal);
  sendCmd(m_nID);
}

void KivButton::mouseDragged(const MouseEvent&) {}

std::string KivButton::accessibleName() const {
  return m_strAccessibleName.empty() ? m_strCaption : m_strAccessibleName;
}

}  // namespace velt
