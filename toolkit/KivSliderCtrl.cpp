#include "toolkit/KivSliderCtrl.h"

#include <optional>

#include "base/log.h"
#include "toolkit/slider_math.h"

namespace velt {

void KivSliderCtrl::setImages(const Image& track, const Image& normal, const Image& over,
                              const Image& disable) {
  m_pBKImage = track;
  m_pSliderNormal = normal;
  m_pSliderOver = over;
  m_pSliderDisable = disable;
  setNeedsDisplay();
}

void KivSliderCtrl::setMinMaxValue(int32_t min, int32_t max, int32_t step) {
  m_nMinValue = min;
  m_nMaxValue = max;
  m_nDisValue = step;
  accessibilityChanged();
}

void KivSliderCtrl::setCurValue(int32_t value, bool postUpdateMsg) {
  if (value == m_nLastValue) return;
  m_nCurValue = m_nLastValue = value;
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
  if (postUpdateMsg) sendMsg(m_nID, value);
}

bool KivSliderCtrl::calculateCurValue(const Point& point) {
  std::optional<int32_t> value = sliderValueAt(point.x, 0, m_pSliderNormal.width(), bounds().width,
                                               m_nMinValue, m_nMaxValue, m_nDisValue);
  if (value) {
    m_nCurValue = *value;
    if (*value != m_nLastValue) {
      m_nLastValue = *value;
      if (host()) host()->accessibilityChanged();
      if (!sendMsg(m_nID, *value)) return false;
    }
  }
  logf("Slider Current Value:%d", m_nCurValue);
  return true;
}

Point KivSliderCtrl::getCurPoint() const {
  int tw = m_pSliderNormal.width();
  double x = sliderThumbCentre(m_nCurValue, tw, bounds().width, m_nMinValue, m_nMaxValue);
  return {x, bounds().height - m_pSliderNormal.height()};
}

Rect KivSliderCtrl::thumbRect() const {
  Point p = getCurPoint();
  int tw = m_pSliderNormal.width();
  return {p.x - tw / 2, p.y, static_cast<double>(tw),
          static_cast<double>(m_pSliderNormal.height())};
}

Image KivSliderCtrl::currentThumb() const {
  if (!m_bEnable && m_pSliderDisable) return m_pSliderDisable;
  return m_MouseState == kNormal ? m_pSliderNormal : m_pSliderOver;
}

void KivSliderCtrl::drawRect(GraphicsContext& gc, const Rect&) {
  if (m_pBKImage) gc.drawImage(m_pBKImage, bounds(), CompositeMode::SourceIn);
  if (Image thumb = currentThumb()) gc.drawImage(thumb, thumbRect(), CompositeMode::SourceOver);
}

void KivSliderCtrl::setMouseState(int32_t state) {
  m_MouseState = state;
  setNeedsDisplay();
}

// Enter and exit count while disabled too; the rest waits for enabling.
void KivSliderCtrl::mouseEntered(const MouseEvent&) {
  setMouseState(kOver);
}

void KivSliderCtrl::mouseExited(const MouseEvent&) {
  setMouseState(kNormal);
}

void KivSliderCtrl::mouseDown(const MouseEvent& event) {
  if (!m_bEnable) return;
  m_MouseState = kPressed;
  if (!calculateCurValue(event.location)) return;
  setNeedsDisplay();
}

void KivSliderCtrl::mouseDragged(const MouseEvent& event) {
  if (!m_bEnable || m_MouseState != kPressed) return;
  if (!calculateCurValue(event.location)) return;
  setNeedsDisplay();
}

void KivSliderCtrl::mouseUp(const MouseEvent& event) {
  if (!m_bEnable) return;
  m_MouseState = kNormal;
  if (!calculateCurValue(event.location)) return;
  setNeedsDisplay();
}

std::string KivSliderCtrl::accessibleValue() const {
  return std::to_string(m_nCurValue);
}

}  // namespace velt
