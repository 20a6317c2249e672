#pragma once

#include <array>
#include <cstdint>

#include "toolkit/KivImageView.h"

namespace velt {

// A horizontal slider with three independent thumbs on one track, each with its value
// written under it. Reports subMsg(own ID, thumb number * 65536 + value).
class KivSliderCtrl3D : public KivImageView {
 public:
  enum MouseState { kNormal = 0, kOver = 1, kPressed = 2 };

  void setImages(const Image& track, const Image& slider1, const Image& slider2,
                 const Image& slider3);
  void setMinMaxValue(int32_t min, int32_t max, int32_t step);
  // Clamped to the range, not snapped.
  void setCurValue1(int32_t value, bool postUpdateMsg) { setCurValue(1, value, postUpdateMsg); }
  void setCurValue2(int32_t value, bool postUpdateMsg) { setCurValue(2, value, postUpdateMsg); }
  void setCurValue3(int32_t value, bool postUpdateMsg) { setCurValue(3, value, postUpdateMsg); }
  int32_t getCurValue1() const { return m_nCurValue1; }
  int32_t getCurValue2() const { return m_nCurValue2; }
  int32_t getCurValue3() const { return m_nCurValue3; }
  int32_t getID() const { return m_nID; }
  int32_t mouseState() const { return m_MouseState; }
  int32_t dragged() const { return m_nHittest; }

  // Thumb under the point, 1 to 3 (thumb 1 wins on overlap), 0 for none.
  int32_t hittest(const Point& point) const;
  Rect getSliderRect(int32_t thumb) const;
  Point getCurPoint(int32_t thumb) const;
  // Sets the dragged thumb's value from the pointer and reports it when it changed; false
  // when the parent destroyed the slider while handling the report.
  bool calculateCurValue(const Point& point);
  // Where thumb n's value is written.
  Rect labelRect(int32_t thumb) const;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseEntered(const MouseEvent& event) override;
  void mouseExited(const MouseEvent& event) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseDragged(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::Slider; }
  std::string accessibleValue() const override;
  // Each thumb is a slider of its own, "Thumb 1" to "Thumb 3".
  std::vector<AccessibleRow> accessibleRows() const override;

 private:
  void setCurValue(int32_t thumb, int32_t value, bool post);
  bool report(int32_t thumb, int32_t value);
  const Image& thumbImage(int32_t thumb) const;
  int32_t& curValue(int32_t thumb);
  int32_t& lastValue(int32_t thumb);
  int32_t curValue(int32_t thumb) const;

  Image m_pSlider1Normal;
  Image m_pSlider2Normal;
  Image m_pSlider3Normal;
  int32_t m_MouseState = kNormal;
  int32_t m_nMinValue = 0;
  int32_t m_nMaxValue = 100;
  int32_t m_nDisValue = 1;
  int32_t m_nCurValue1 = 0;
  int32_t m_nCurValue2 = 0;
  int32_t m_nCurValue3 = 0;
  int32_t m_nLastValue1 = 0;
  int32_t m_nLastValue2 = 0;
  int32_t m_nLastValue3 = 0;
  int32_t m_nHittest = 0;
};

// The message value of a thumb's report: thumb number in the high half.
int32_t sliderThumbMessage(int32_t thumb, int32_t value);

}  // namespace velt
