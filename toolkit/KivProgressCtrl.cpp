#include "toolkit/KivProgressCtrl.h"

#include <algorithm>

#include "toolkit/image_access.h"
#include "toolkit/progress_fill.h"

namespace velt {

void KivProgressCtrl::setImages(const Image& empty, const Image& progress) {
  m_pProgressImage = progress;
  setBkImage(empty);
}

void KivProgressCtrl::setMinMaxValue(int32_t min, int32_t max) {
  m_nMinValue = min;
  m_nMaxValue = max;
}

void KivProgressCtrl::setCurValue(int32_t value) {
  m_nCurValue = value;
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
}

void KivProgressCtrl::setVertical(bool flag) {
  m_bVertical = flag;
}

int32_t KivProgressCtrl::fill() const {
  const Rect b = bounds();
  const auto extent = static_cast<int32_t>(m_bVertical ? b.height : b.width);
  return progressFill(m_nCurValue, m_nMinValue, m_nMaxValue, extent);
}

Point KivProgressCtrl::getCurPoint() const {
  const Rect b = bounds();
  if (m_bVertical) return {b.width, b.height - fill()};
  return {b.x + fill(), b.height};
}

Image KivProgressCtrl::getProgressImage(const Point& curPoint) const {
  const Rect b = bounds();
  // The band never reaches past the bar, whatever the value.
  if (m_bVertical) {
    const double top = std::clamp(curPoint.y, 0.0, b.height);
    return imageClone(m_pProgressImage, {0, top, b.width, b.height - top});
  }
  const double right = std::clamp(curPoint.x - b.x, 0.0, b.width);
  return imageClone(m_pProgressImage, {0, 0, right, b.height});
}

void KivProgressCtrl::drawRect(GraphicsContext& gc, const Rect& dirtyRect) {
  KivImageView::drawRect(gc, dirtyRect);
  // Vertical: the full bar's top rows fill the band from the bottom edge up.
  Image piece = getProgressImage(getCurPoint());
  if (piece)
    gc.drawImage(piece, {0, 0, piece.size().width, piece.size().height}, CompositeMode::SourceIn);
}

}  // namespace velt
