#include "toolkit/KivCbnColorButton.h"

namespace velt {

KivCbnColorButton::KivCbnColorButton() = default;
KivCbnColorButton::~KivCbnColorButton() = default;

void KivCbnColorButton::initWithFrame(const Rect& rect) {
  KivButton::initWithFrame(rect);
  m_MouseState = kNormal;
  m_bSelected = false;
  if (!m_clPanel) {
    m_clPanel = std::make_unique<ColorPanel>();
    m_clPanel->initView(this, m_nID, {0, 0, 20, 20});
  }
}

void KivCbnColorButton::setImages(const Image& normal, const Image& over, const Image& down,
                                  const Image& disable, const Image& panel) {
  if (m_clPanel) m_clPanel->setBkImage(panel);
  KivButton::setImages(normal, over, down, disable);
}

void KivCbnColorButton::setColor(const Color& color) {
  m_curColor = color;
  if (host()) host()->accessibilityChanged();
}

void KivCbnColorButton::subMsg(int32_t, int32_t value) {
  if (m_clPanel) setColor(m_clPanel->colorInIndex(value));
  sendCmd(m_nID);
}

Image KivCbnColorButton::currentImage() const {
  if (!m_bEnable && m_pImageDisable) return m_pImageDisable;
  if (m_MouseState == kPressed && m_pImageSelected) return m_pImageSelected;
  if (m_MouseState == kOver && m_pImageOver) return m_pImageOver;
  return m_pImageNormal;
}

void KivCbnColorButton::drawRect(GraphicsContext& gc, const Rect&) {
  if (Image picture = currentImage()) gc.drawImage(picture, bounds(), CompositeMode::SourceIn);
}

void KivCbnColorButton::mouseUp(const MouseEvent&) {
  if (!m_bEnable || !m_clPanel) return;
  setMouseState(kNormal);
  if (m_clPanel->isShowing()) {
    m_clPanel->hidePanel();
    return;
  }
  // The palette's top-left corner at the button's bottom-left corner, on the screen.
  const Point corner = convertToScreen({0, 0});
  m_clPanel->popPanel(corner, Rect{corner.x, corner.y, bounds().width, bounds().height});
}

std::string KivCbnColorButton::accessibleValue() const {
  return m_curColor ? colorHexName(*m_curColor) : std::string();
}

}  // namespace velt
