#pragma once

#include <cstdint>

#include "toolkit/KivImageView.h"

namespace velt {

// A horizontal slider: one thumb at the top edge of a track picture, values snapped to a
// step, subMsg(own ID, value) to the parent when the mouse changes the value.
class KivSliderCtrl : public KivImageView {
 public:
  enum MouseState { kNormal = 0, kOver = 1, kPressed = 2 };

  void setImages(const Image& track, const Image& normal, const Image& over, const Image& disable);
  // Stored as given: no clamping, no redraw.
  void setMinMaxValue(int32_t min, int32_t max, int32_t step);
  // Shows the value as given (not clamped, not snapped) unless it is the last one; the
  // flag also reports it.
  void setCurValue(int32_t value, bool postUpdateMsg);
  int32_t getCurValue() const { return m_nCurValue; }
  int32_t mouseState() const { return m_MouseState; }

  // Sets the value under the pointer and reports it when it changed; false when the
  // parent destroyed the slider while handling the report.
  bool calculateCurValue(const Point& point);
  // Centre of the thumb's top-edge position: x of its centre, y of its bottom.
  Point getCurPoint() const;
  Rect thumbRect() const;
  // The thumb picture drawRect shows now.
  Image currentThumb() const;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseEntered(const MouseEvent& event) override;
  void mouseExited(const MouseEvent& event) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseDragged(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::Slider; }
  std::string accessibleValue() const override;
  std::optional<AccessibleRange> accessibleRange() const override {
    return AccessibleRange{static_cast<double>(m_nCurValue), static_cast<double>(m_nMinValue),
                           static_cast<double>(m_nMaxValue), static_cast<double>(m_nDisValue)};
  }

 private:
  void setMouseState(int32_t state);

  Image m_pBKImage;
  Image m_pSliderNormal;
  Image m_pSliderOver;
  Image m_pSliderDisable;
  int32_t m_MouseState = kNormal;
  int32_t m_nMinValue = 0;
  int32_t m_nMaxValue = 100;
  int32_t m_nDisValue = 1;
  int32_t m_nCurValue = 0;
  int32_t m_nLastValue = 0;
};

}  // namespace velt
