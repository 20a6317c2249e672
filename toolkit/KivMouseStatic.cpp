#include "toolkit/KivMouseStatic.h"

#include <utility>

#include "toolkit/led_animation.h"
#include "toolkit/mouse_zones.h"

namespace velt {
namespace {

Rect zoneInView(const MouseZoneRect& zone, int viewHeight) {
  return {static_cast<double>(zone.x), static_cast<double>(viewHeight - zone.belowTop),
          static_cast<double>(zone.width), static_cast<double>(zone.height)};
}

}  // namespace

KivMouseStatic::KivMouseStatic() = default;

// The timers go first, so that no tick reaches a half-destroyed view.
KivMouseStatic::~KivMouseStatic() {
  m_TimerMode.reset();
  m_TimerColorShift.reset();
}

void KivMouseStatic::initWithFrame(const Rect& rect) {
  KivImageView::initWithFrame(rect);
  for (int32_t bit : kLedZoneBits) {
    Zone z = zoneOf(bit);
    z.color = kInitialColor;
    z.colorOld = kInitialColor;
    z.on = true;
  }
  const int h = static_cast<int>(rect.height);
  m_rcScrollWheel = zoneInView(kScrollWheelZone, h);
  m_rcDpiButtons = zoneInView(kDpiButtonsZone, h);
  m_rcDpiIndicotor = zoneInView(kDpiIndicotorZone, h);
  m_rcLogoType = zoneInView(kLogoTypeZone, h);
  m_nMode = 1;
  m_bColorShift = false;
  m_TimerMode.reset();
  m_TimerColorShift.reset();
}

KivMouseStatic::Zone KivMouseStatic::zoneOf(int32_t zoneBit) {
  switch (zoneBit) {
    case kDpiIndicotorBit:
      return {m_DpiIndicotorColor, m_DpiIndicotorColorOld, m_rcDpiIndicotor, m_bDpiIndicotorOn};
    case kDpiButtonsBit:
      return {m_DpiButtonsColor, m_DpiButtonsColorOld, m_rcDpiButtons, m_bDpiButtonsOn};
    case kLogoTypeBit:
      return {m_LogoTypeColor, m_LogoTypeColorOld, m_rcLogoType, m_bLogoTypeOn};
    default:
      return {m_ScrollWheelColor, m_ScrollWheelColorOld, m_rcScrollWheel, m_bScrollWheelOn};
  }
}

KivMouseStatic::ConstZone KivMouseStatic::zoneOf(int32_t zoneBit) const {
  Zone z = const_cast<KivMouseStatic*>(this)->zoneOf(zoneBit);
  return {z.color, z.colorOld, z.rect, z.on};
}

void KivMouseStatic::setZoneColor(int32_t zoneBit, const Color& color) {
  Zone z = zoneOf(zoneBit);
  z.color = color;
  z.colorOld = color;
  setNeedsDisplay();
}

void KivMouseStatic::setScrollWheelColor(const Color& c) {
  setZoneColor(kScrollWheelBit, c);
}
void KivMouseStatic::setDpiIndicotorColor(const Color& c) {
  setZoneColor(kDpiIndicotorBit, c);
}
void KivMouseStatic::setDpiButtonsColor(const Color& c) {
  setZoneColor(kDpiButtonsBit, c);
}
void KivMouseStatic::setLogoTypeColor(const Color& c) {
  setZoneColor(kLogoTypeBit, c);
}

void KivMouseStatic::setAllColor(const Color& color) {
  for (int32_t bit : kLedZoneBits) zoneOf(bit).color = color;
  setNeedsDisplay();
}

void KivMouseStatic::setAllAlpha(uint8_t alpha) {
  const float a = static_cast<float>(alpha) / 255.0f;
  for (int32_t bit : kLedZoneBits) zoneOf(bit).color.alpha = a;
  setNeedsDisplay();
}

Color KivMouseStatic::reportedColor(int32_t zoneBit) const {
  ConstZone z = zoneOf(zoneBit);
  return m_bColorShift ? z.colorOld : z.color;
}

Color KivMouseStatic::getScrollWheelColor() const {
  return reportedColor(kScrollWheelBit);
}
Color KivMouseStatic::getDpiIndicotorColor() const {
  return reportedColor(kDpiIndicotorBit);
}
Color KivMouseStatic::getDpiButtonsColor() const {
  return reportedColor(kDpiButtonsBit);
}
Color KivMouseStatic::getLogoTypeColor() const {
  return reportedColor(kLogoTypeBit);
}

void KivMouseStatic::setMode(int32_t mode) {
  m_TimerMode.reset();
  m_nMode = mode;
  if (mode == 1) setAllAlpha(255);
  if (std::optional<std::chrono::milliseconds> interval = ledModeInterval(mode)) {
    m_TimerMode = std::make_unique<KivTimer>();
    m_TimerMode->start(*interval, [this] { modeTimer(); });
  }
  if (host()) host()->accessibilityChanged();
}

void KivMouseStatic::modeTimer() {
  // Behind a hidden page or in a hidden window nothing is animated or repainted.
  if (!isShownOnScreen()) return;
  if (std::optional<uint8_t> alpha = ledModeStep(m_nMode, ledAnimationState())) setAllAlpha(*alpha);
}

void KivMouseStatic::setColorShift(bool flag) {
  const bool wasShifting = m_bColorShift;
  m_TimerColorShift.reset();
  m_bColorShift = flag;
  if (!flag) {
    for (int32_t bit : kLedZoneBits) {
      Zone z = zoneOf(bit);
      z.color = z.colorOld;
    }
    setNeedsDisplay();
  } else {
    // Already shifting, the current colours are the cycling ones: the zones' own colours
    // stay saved.
    if (!wasShifting)
      for (int32_t bit : kLedZoneBits) {
        Zone z = zoneOf(bit);
        z.colorOld = z.color;
      }
    m_TimerColorShift = std::make_unique<KivTimer>();
    m_TimerColorShift->start(std::chrono::milliseconds(100), [this] { colorShiftTimer(); });
  }
  if (host()) host()->accessibilityChanged();
}

void KivMouseStatic::colorShiftTimer() {
  if (!isShownOnScreen()) return;
  doColorShift();
}

void KivMouseStatic::doColorShift() {
  const LedRgb rgb = ledColorShiftStep(ledAnimationState());
  setAllColor({static_cast<float>(rgb.red) / 255.0, static_cast<float>(rgb.green) / 255.0,
               static_cast<float>(rgb.blue) / 255.0, m_ScrollWheelColor.alpha});
}

void KivMouseStatic::LED(int32_t zoneBit, bool on) {
  for (int32_t bit : kLedZoneBits)
    if (bit == zoneBit) zoneOf(bit).on = on;
  setNeedsDisplay();
}

void KivMouseStatic::LEDOn() {
  for (int32_t bit : kLedZoneBits) zoneOf(bit).on = true;
  setNeedsDisplay();
}

void KivMouseStatic::LEDOff() {
  for (int32_t bit : kLedZoneBits) zoneOf(bit).on = false;
  setNeedsDisplay();
}

void KivMouseStatic::drawRect(GraphicsContext& gc, const Rect&) {
  gc.fillRect(bounds(),
              Color::fromRgb8(kMousePictureBackground[0], kMousePictureBackground[1],
                              kMousePictureBackground[2]),
              CompositeMode::Copy);
  for (int32_t bit : kLedZoneBits) {
    ConstZone z = std::as_const(*this).zoneOf(bit);
    if (z.on) gc.fillRect(z.rect, z.color, CompositeMode::Copy);
  }
  if (m_bkImage) gc.drawImage(m_bkImage, bounds(), CompositeMode::SourceOver);
}

std::string KivMouseStatic::accessibleValue() const {
  static const char* const kModes[] = {"solid", "blinking", "pulsating", "breathing"};
  std::string value = (m_nMode >= 1 && m_nMode <= 4) ? kModes[m_nMode - 1] : "still";
  if (m_bColorShift) value += ", colour shift";
  return value;
}

}  // namespace velt
