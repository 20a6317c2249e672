#pragma once

#include "toolkit/KivImageView.h"

namespace velt {

// A bar that shows a value as a filled band: the background is the empty bar, the
// progress image the full one. A vertical bar fills from the bottom.
class KivProgressCtrl : public KivImageView {
 public:
  void setImages(const Image& empty, const Image& progress);
  void setMinMaxValue(int32_t min, int32_t max);
  // Not clamped: a value outside the range overfills or empties the bar.
  void setCurValue(int32_t value);
  int32_t getCurValue() const { return m_nCurValue; }
  int32_t minValue() const { return m_nMinValue; }
  int32_t maxValue() const { return m_nMaxValue; }
  void setVertical(bool flag);
  bool isVertical() const { return m_bVertical; }

  // Where the filled band ends: on the top edge for a horizontal bar, on the right edge
  // for a vertical one (measured down from the top, as the band's top).
  Point getCurPoint() const;
  // The piece of the full bar that drawRect shows, or a null image for an empty band.
  Image getProgressImage(const Point& curPoint) const;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::ProgressBar; }
  std::string accessibleValue() const override { return std::to_string(m_nCurValue); }
  std::optional<AccessibleRange> accessibleRange() const override {
    return AccessibleRange{static_cast<double>(m_nCurValue), static_cast<double>(m_nMinValue),
                           static_cast<double>(m_nMaxValue), 1};
  }

 private:
  int32_t fill() const;
  // Where the progress piece is drawn.
  Rect bandRect() const;

  Image m_pProgressImage;
  int32_t m_nCurValue = 0;
  int32_t m_nMinValue = 0;
  int32_t m_nMaxValue = 100;
  bool m_bVertical = false;
};

}  // namespace velt
