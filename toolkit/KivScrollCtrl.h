#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/KivImageView.h"

namespace velt {

// The position last reported by a drag, shared by every scroll bar of the process.
extern int32_t lastValue;

// A scroll bar: an up ("last") button, a track with a thumb, a down ("next") button.
// Vertical when the bounds are at least as high as wide (the top is the minimum),
// horizontal otherwise (the left is the minimum). Reports subMsg(own ID, position).
class KivScrollCtrl : public KivImageView {
 public:
  enum Part { kNone = 0, kLastButton = 1, kTrack = 2, kNextButton = 3 };

  // Stores the pictures and lays the parts out for the current bounds.
  void setImage(const Image& track, const Image& sliderNormal, const Image& sliderOver,
                const Image& lastNormal, const Image& lastOver, const Image& nextNormal,
                const Image& nextOver);
  void setMinMaxValue(int32_t min, int32_t max);
  // The vertical bar of a list of rows (the list box, the macro event list): made on the
  // first call along the right edge of `owner`, as wide as its track; every call sets
  // the pictures and the range such a list starts with, from its visible rows.
  static KivScrollCtrl& placeInList(std::unique_ptr<KivScrollCtrl>& bar, KivImageView& owner,
                                    int32_t id, double rowHeight, const Image& track,
                                    const Image& sliderNormal, const Image& sliderOver,
                                    const Image& lastNormal, const Image& lastOver,
                                    const Image& nextNormal, const Image& nextOver);
  // Clamps, places the thumb, and always reports, changed or not.
  void setCurValue(int32_t value);
  // Adds and clamps; no report, the thumb stays where it is.
  void addCurValue(int32_t delta);
  int32_t getCurValue() const { return m_nCurValue; }
  int32_t minValue() const { return m_nMinValue; }
  int32_t maxValue() const { return m_nMaxValue; }
  int32_t orientation() const { return m_nScroll; }
  int32_t pressedPart() const { return m_nHittest; }
  int32_t mouseState() const { return m_MouseState; }

  int32_t hittest(const Point& point) const;
  const Rect& lastButtonRect() const { return m_rcBnLast; }
  const Rect& nextButtonRect() const { return m_rcBnNext; }
  const Rect& trackRect() const { return m_rcSlier; }
  const Rect& thumbRect() const { return m_rcThumb; }

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseExited(const MouseEvent& event) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseDragged(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::ScrollBar; }
  std::string accessibleValue() const override { return std::to_string(m_nCurValue); }
  std::optional<AccessibleRange> accessibleRange() const override {
    return AccessibleRange{static_cast<double>(m_nCurValue), static_cast<double>(m_nMinValue),
                           static_cast<double>(m_nMaxValue), 1};
  }

 private:
  void layoutParts();
  bool vertical() const { return m_nScroll == 2; }
  // The track's length and the thumb's along the bar's axis.
  double trackLength() const;
  double thumbLength() const;
  // Position from the pointer, as a press or drag on the track sets it; false when the
  // parent destroyed the bar while handling the report.
  bool trackPointer(const Point& point);
  void placeThumb();

  Image m_sliderNormal;
  Image m_sliderOver;
  Image m_bnLastNormal;
  Image m_bnLastOver;
  Image m_bnNextNormal;
  Image m_bnNextOver;
  int32_t m_MouseState = 0;
  Rect m_rcBnLast;
  Rect m_rcBnNext;
  Rect m_rcSlier;
  Rect m_rcThumb;
  int32_t m_nMinValue = 0;
  int32_t m_nMaxValue = 100;
  int32_t m_nCurValue = 0;
  int32_t m_nScroll = 2;
  int32_t m_nHittest = kNone;
};

}  // namespace velt
