#include "toolkit/KivScrollCtrl.h"

#include <cmath>

#include "toolkit/slider_math.h"

namespace velt {

int32_t lastValue = 0;

namespace {

constexpr int32_t kPressed = 2;

}  // namespace

KivScrollCtrl& KivScrollCtrl::placeInList(std::unique_ptr<KivScrollCtrl>& bar, KivImageView& owner,
                                          int32_t id, double rowHeight, const Image& track,
                                          const Image& sliderNormal, const Image& sliderOver,
                                          const Image& lastNormal, const Image& lastOver,
                                          const Image& nextNormal, const Image& nextOver) {
  const double W = owner.bounds().width, H = owner.bounds().height;
  if (!bar) {
    bar = std::make_unique<KivScrollCtrl>();
    const double width = track.width();
    bar->initView(&owner, id, {W - width, 0, width, H});
    owner.addSubview(bar.get());
  }
  bar->setImage(track, sliderNormal, sliderOver, lastNormal, lastOver, nextNormal, nextOver);
  const int32_t rows = truncToInt(H / rowHeight);
  bar->setMinMaxValue(rows, rows + 1);
  bar->setCurValue(rows);
  return *bar;
}

void KivScrollCtrl::setImage(const Image& track, const Image& sliderNormal, const Image& sliderOver,
                             const Image& lastNormal, const Image& lastOver,
                             const Image& nextNormal, const Image& nextOver) {
  m_sliderNormal = sliderNormal;
  m_sliderOver = sliderOver;
  m_bnLastNormal = lastNormal;
  m_bnLastOver = lastOver;
  m_bnNextNormal = nextNormal;
  m_bnNextOver = nextOver;
  layoutParts();
  setBkImage(track);
}

void KivScrollCtrl::layoutParts() {
  double W = truncToInt(bounds().width), H = truncToInt(bounds().height);
  if (H >= W) {
    m_nScroll = 2;
    double lh = m_bnLastNormal.height(), th = m_sliderNormal.height();
    m_rcBnLast = {0, H - lh, W, lh};
    m_rcSlier = {0, lh, W, H - 2 * lh};
    m_rcBnNext = {0, 0, W, lh};
    m_rcThumb = {0, H - lh - th, W, th};
  } else {
    // Mirrored along x: the "last" button on the left, the minimum at the left end.
    m_nScroll = 1;
    double lw = m_bnLastNormal.width(), tw = m_sliderNormal.width();
    m_rcBnLast = {0, 0, lw, H};
    m_rcSlier = {lw, 0, W - 2 * lw, H};
    m_rcBnNext = {W - lw, 0, lw, H};
    m_rcThumb = {lw, 0, tw, H};
  }
}

double KivScrollCtrl::trackLength() const {
  return vertical() ? m_rcSlier.height : m_rcSlier.width;
}

double KivScrollCtrl::thumbLength() const {
  return vertical() ? m_sliderNormal.height() : m_sliderNormal.width();
}

void KivScrollCtrl::setMinMaxValue(int32_t min, int32_t max) {
  m_nMinValue = min;
  m_nMaxValue = max;
  accessibilityChanged();
}

// The thumb's place follows the value alone: at the start of the track for the
// minimum, at its end for the maximum.
void KivScrollCtrl::placeThumb() {
  int32_t travel =
      thumbTravel(m_nCurValue, trackLength() - thumbLength(), m_nMinValue, m_nMaxValue);
  if (vertical()) {
    m_rcThumb.x = m_rcSlier.x;
    m_rcThumb.y = truncToInt(m_rcSlier.height - travel - thumbLength() + m_rcBnLast.height);
  } else {
    m_rcThumb.x = m_rcSlier.x + travel;
    m_rcThumb.y = m_rcSlier.y;
  }
}

void KivScrollCtrl::setCurValue(int32_t value) {
  m_nCurValue = static_cast<int32_t>(clampValue(value, m_nMinValue, m_nMaxValue));
  placeThumb();
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
  sendMsg(m_nID, m_nCurValue);
}

void KivScrollCtrl::addCurValue(int32_t delta) {
  m_nCurValue =
      static_cast<int32_t>(clampValue(int64_t{m_nCurValue} + delta, m_nMinValue, m_nMaxValue));
  setNeedsDisplay();
}

bool KivScrollCtrl::trackPointer(const Point& point) {
  // Distance of the pointer from the track's start, less half a thumb.
  double along = vertical() ? (bounds().height - point.y) - m_rcSlier.y : point.x - m_rcSlier.x;
  int32_t halfThumb = static_cast<int32_t>(thumbLength()) / 2;
  float v =
      static_cast<float>(m_nMinValue) + static_cast<float>(int64_t{m_nMaxValue} - m_nMinValue) *
                                            static_cast<float>(along - halfThumb) /
                                            static_cast<float>(trackLength() - thumbLength());
  if (!std::isfinite(v)) return true;
  v = std::fmax(std::fmin(v, 4.0e9f), -4.0e9f);
  auto whole = static_cast<int64_t>(v);
  if (v - static_cast<float>(whole) > 0.5f) ++whole;
  m_nCurValue = static_cast<int32_t>(clampValue(whole, m_nMinValue, m_nMaxValue));
  placeThumb();
  if (host()) host()->accessibilityChanged();
  if (m_nCurValue != lastValue) {
    lastValue = m_nCurValue;
    return sendMsg(m_nID, m_nCurValue);
  }
  return true;
}

int32_t KivScrollCtrl::hittest(const Point& point) const {
  if (m_rcBnLast.contains(point)) return kLastButton;
  if (m_rcBnNext.contains(point)) return kNextButton;
  if (m_rcSlier.contains(point)) return kTrack;
  return kNone;
}

void KivScrollCtrl::drawRect(GraphicsContext& gc, const Rect& dirtyRect) {
  KivImageView::drawRect(gc, dirtyRect);
  auto draw = [&gc](const Image& picture, const Rect& rect) {
    if (picture) gc.drawImage(picture, rect, CompositeMode::SourceOver);
  };
  draw(m_nHittest == kLastButton ? m_bnLastOver : m_bnLastNormal, m_rcBnLast);
  draw(m_nHittest == kNextButton ? m_bnNextOver : m_bnNextNormal, m_rcBnNext);
  draw(m_nHittest == kTrack ? m_sliderOver : m_sliderNormal, m_rcThumb);
}

// The bar follows the mouse whether or not it is enabled.
void KivScrollCtrl::mouseExited(const MouseEvent&) {
  m_MouseState = 0;
  m_nHittest = kNone;
  setNeedsDisplay();
}

void KivScrollCtrl::mouseDown(const MouseEvent& event) {
  m_MouseState = kPressed;
  m_nHittest = hittest(event.location);
  if (m_nHittest == kTrack && !trackPointer(event.location)) return;
  setNeedsDisplay();
}

void KivScrollCtrl::mouseDragged(const MouseEvent& event) {
  if (m_MouseState != kPressed || !m_rcSlier.contains(event.location)) return;
  if (!trackPointer(event.location)) return;
  setNeedsDisplay();
}

void KivScrollCtrl::mouseUp(const MouseEvent& event) {
  if (m_rcSlier.contains(event.location) && !trackPointer(event.location)) return;
  const ViewLife alive = life();
  if (m_nHittest == kLastButton) setCurValue(m_nMinValue);
  if (alive && m_nHittest == kNextButton) setCurValue(m_nMaxValue);
  if (!alive) return;
  m_MouseState = 0;
  m_nHittest = kNone;
  setNeedsDisplay();
}

}  // namespace velt
