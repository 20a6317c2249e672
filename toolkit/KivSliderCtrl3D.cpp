#include "toolkit/KivSliderCtrl3D.h"

#include <algorithm>
#include <optional>

#include "toolkit/layout/slider_scroll_layout.h"
#include "toolkit/slider_math.h"

namespace velt {

namespace {

constexpr int32_t kLabelExtraWidth = 20;
constexpr std::array<int32_t, 4> kLabelShift = {0, -5, -2, 2};  // by thumb number
constexpr Color kLabelColor = Color::gray(0.8);

bool validThumb(int32_t thumb) {
  return thumb >= 1 && thumb <= 3;
}

}  // namespace

int32_t sliderThumbMessage(int32_t thumb, int32_t value) {
  // Unsigned arithmetic: a value beyond 16 bits wraps instead of overflowing.
  return static_cast<int32_t>(static_cast<uint32_t>(thumb) * 65536u + static_cast<uint32_t>(value));
}

void KivSliderCtrl3D::setImages(const Image& track, const Image& slider1, const Image& slider2,
                                const Image& slider3) {
  m_pSlider1Normal = slider1;
  m_pSlider2Normal = slider2;
  m_pSlider3Normal = slider3;
  setBkImage(track);
}

void KivSliderCtrl3D::setMinMaxValue(int32_t min, int32_t max, int32_t step) {
  m_nMinValue = min;
  m_nMaxValue = max;
  m_nDisValue = step;
  accessibilityChanged();
}

const Image& KivSliderCtrl3D::thumbImage(int32_t thumb) const {
  return thumb == 1 ? m_pSlider1Normal : thumb == 2 ? m_pSlider2Normal : m_pSlider3Normal;
}

int32_t& KivSliderCtrl3D::curValue(int32_t thumb) {
  return thumb == 1 ? m_nCurValue1 : thumb == 2 ? m_nCurValue2 : m_nCurValue3;
}

int32_t KivSliderCtrl3D::curValue(int32_t thumb) const {
  return thumb == 1 ? m_nCurValue1 : thumb == 2 ? m_nCurValue2 : m_nCurValue3;
}

int32_t& KivSliderCtrl3D::lastValue(int32_t thumb) {
  return thumb == 1 ? m_nLastValue1 : thumb == 2 ? m_nLastValue2 : m_nLastValue3;
}

bool KivSliderCtrl3D::report(int32_t thumb, int32_t value) {
  if (host()) host()->accessibilityChanged();
  return sendMsg(m_nID, sliderThumbMessage(thumb, value));
}

void KivSliderCtrl3D::setCurValue(int32_t thumb, int32_t value, bool post) {
  value = static_cast<int32_t>(clampValue(value, m_nMinValue, m_nMaxValue));
  if (value == lastValue(thumb)) return;
  curValue(thumb) = lastValue(thumb) = value;
  setNeedsDisplay();
  if (post)
    report(thumb, value);
  else if (host())
    host()->accessibilityChanged();
}

bool KivSliderCtrl3D::calculateCurValue(const Point& point) {
  if (!validThumb(m_nHittest)) return true;
  std::optional<int32_t> value =
      sliderValueAt(point.x, bounds().x, thumbImage(m_nHittest).width(), bounds().width,
                    m_nMinValue, m_nMaxValue, m_nDisValue);
  if (!value) return true;
  curValue(m_nHittest) = *value;
  if (*value == lastValue(m_nHittest)) return true;
  lastValue(m_nHittest) = *value;
  return report(m_nHittest, *value);
}

// Every thumb is placed with thumb 1's width.
Point KivSliderCtrl3D::getCurPoint(int32_t thumb) const {
  int tw1 = m_pSlider1Normal.width();
  double x = sliderThumbCentre(curValue(thumb), tw1, bounds().width, m_nMinValue, m_nMaxValue);
  return {bounds().x + x, bounds().y};
}

// Thumb 3 touches the top edge; the others are centred on its vertical middle.
Rect KivSliderCtrl3D::getSliderRect(int32_t thumb) const {
  if (!validThumb(thumb)) return {};
  const Image& picture = thumbImage(thumb);
  int wn = picture.width(), hn = picture.height(), h3 = m_pSlider3Normal.height();
  Point p = getCurPoint(thumb);
  double W = bounds().width, H = bounds().height;
  double x = std::max(0.0, std::min(p.x - wn / 2, W - wn));
  double y = truncToInt((H - hn) - ((h3 - hn) / 2 + p.y));
  return {x, y, static_cast<double>(wn), static_cast<double>(hn)};
}

int32_t KivSliderCtrl3D::hittest(const Point& point) const {
  for (int32_t thumb = 1; thumb <= 3; ++thumb)
    if (getSliderRect(thumb).contains(point)) return thumb;
  return 0;
}

Rect KivSliderCtrl3D::labelRect(int32_t thumb) const {
  if (!validThumb(thumb)) return {};
  Rect r = getSliderRect(thumb);
  double width = r.width + kLabelExtraWidth;
  double x = std::max(0.0, std::min(r.x + kLabelShift[thumb], bounds().width - width));
  return {x, r.y - kSlider3DLabelHeight, width, kSlider3DLabelHeight};
}

void KivSliderCtrl3D::drawRect(GraphicsContext& gc, const Rect& dirtyRect) {
  KivImageView::drawRect(gc, dirtyRect);
  for (int32_t thumb = 1; thumb <= 3; ++thumb)
    if (const Image& picture = thumbImage(thumb))
      gc.drawImage(picture, getSliderRect(thumb), CompositeMode::SourceOver);
  for (int32_t thumb = 1; thumb <= 3; ++thumb)
    gc.drawTextInRect(std::to_string(curValue(thumb)), labelRect(thumb), systemFont(9),
                      kLabelColor);
}

void KivSliderCtrl3D::mouseEntered(const MouseEvent&) {
  m_MouseState = kOver;
  setNeedsDisplay();
}

void KivSliderCtrl3D::mouseExited(const MouseEvent&) {
  m_MouseState = kNormal;
  setNeedsDisplay();
}

void KivSliderCtrl3D::mouseDown(const MouseEvent& event) {
  if (!m_bEnable) return;
  m_MouseState = kPressed;
  m_nHittest = hittest(event.location);
  if (!calculateCurValue(event.location)) return;
  setNeedsDisplay();
}

void KivSliderCtrl3D::mouseDragged(const MouseEvent& event) {
  if (!m_bEnable || m_MouseState != kPressed) return;
  if (!calculateCurValue(event.location)) return;
  setNeedsDisplay();
}

void KivSliderCtrl3D::mouseUp(const MouseEvent& event) {
  if (!m_bEnable) return;
  if (!calculateCurValue(event.location)) return;
  m_nHittest = 0;
  m_MouseState = kNormal;
  setNeedsDisplay();
}

std::vector<AccessibleRow> KivSliderCtrl3D::accessibleRows() const {
  std::vector<AccessibleRow> rows;
  for (int32_t thumb = 1; thumb <= 3; ++thumb) {
    AccessibleRow row;
    row.role = AccessibleRole::Slider;
    row.name = "Thumb " + std::to_string(thumb);
    row.rect = getSliderRect(thumb);
    row.enabled = m_bEnable;
    row.range =
        AccessibleRange{static_cast<double>(curValue(thumb)), static_cast<double>(m_nMinValue),
                        static_cast<double>(m_nMaxValue), static_cast<double>(m_nDisValue)};
    rows.push_back(row);
  }
  return rows;
}

std::string KivSliderCtrl3D::accessibleValue() const {
  return std::to_string(m_nCurValue1) + ", " + std::to_string(m_nCurValue2) + ", " +
         std::to_string(m_nCurValue3);
}

}  // namespace velt
