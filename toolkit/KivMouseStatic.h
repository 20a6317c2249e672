#pragma once

#include <memory>

#include "base/led_zones.h"
#include "toolkit/KivImageView.h"
#include "toolkit/KivTimer.h"

namespace velt {

// The picture of the mouse on the lighting page. It paints the four light zones as
// coloured rectangles under the mouse picture (its background, with transparent windows
// at the LEDs) and animates them as the mouse lights them. It sends no messages.
class KivMouseStatic : public KivImageView {
 public:
  static constexpr Color kInitialColor = {0.63, 1.0, 0.13, 1.0};

  KivMouseStatic();
  ~KivMouseStatic() override;

  void initWithFrame(const Rect& rect) override;

  // Set the zone's current and saved colour; setZoneColor by the zone's bit
  // (`base/led_zones.h`), an unknown bit setting the scroll wheel's.
  void setZoneColor(int32_t zoneBit, const Color& color);
  void setScrollWheelColor(const Color& color);
  void setDpiIndicotorColor(const Color& color);
  void setDpiButtonsColor(const Color& color);
  void setLogoTypeColor(const Color& color);
  // Current colours only; the saved ones stay.
  void setAllColor(const Color& color);
  void setAllAlpha(uint8_t alpha);
  // The saved colour while colour shift runs, else the current one.
  Color getScrollWheelColor() const;
  Color getDpiIndicotorColor() const;
  Color getDpiButtonsColor() const;
  Color getLogoTypeColor() const;

  // 1 solid, 2 blinking, 3 pulsating, 4 breathing; anything else stops the animation.
  void setMode(int32_t mode);
  int32_t getMode() const { return m_nMode; }
  void setColorShift(bool flag);
  bool IsColorShift() const { return m_bColorShift; }

  // Lights or darkens the zone with that bit; other values change nothing.
  void LED(int32_t zoneBit, bool on);
  void LEDOn();
  void LEDOff();

  // Timer callbacks, and one colour-shift step.
  void modeTimer();
  void colorShiftTimer();
  void doColorShift();
  // The running timers, or nullptr (tests fire them).
  KivTimer* timerMode() const { return m_TimerMode.get(); }
  KivTimer* timerColorShift() const { return m_TimerColorShift.get(); }

  // A zone's state, by its bit; an unknown bit gives the scroll wheel's.
  const Color& currentColor(int32_t zoneBit) const { return zoneOf(zoneBit).color; }
  const Color& savedColor(int32_t zoneBit) const { return zoneOf(zoneBit).colorOld; }
  const Rect& zoneRect(int32_t zoneBit) const { return zoneOf(zoneBit).rect; }
  bool isLit(int32_t zoneBit) const { return zoneOf(zoneBit).on; }

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::Graphic; }
  std::string accessibleValue() const override;

 private:
  // One zone's fields, reached by the zone's bit.
  template <typename C, typename R, typename B>
  struct ZoneFields {
    C& color;
    C& colorOld;
    R& rect;
    B& on;
  };
  using Zone = ZoneFields<Color, Rect, bool>;
  using ConstZone = ZoneFields<const Color, const Rect, const bool>;

  Zone zoneOf(int32_t zoneBit);
  ConstZone zoneOf(int32_t zoneBit) const;
  Color reportedColor(int32_t zoneBit) const;

  Color m_ScrollWheelColor = kInitialColor;
  Color m_DpiIndicotorColor = kInitialColor;
  Color m_DpiButtonsColor = kInitialColor;
  Color m_LogoTypeColor = kInitialColor;
  Color m_ScrollWheelColorOld = kInitialColor;
  Color m_DpiIndicotorColorOld = kInitialColor;
  Color m_DpiButtonsColorOld = kInitialColor;
  Color m_LogoTypeColorOld = kInitialColor;
  Rect m_rcScrollWheel;
  Rect m_rcDpiIndicotor;
  Rect m_rcDpiButtons;
  Rect m_rcLogoType;
  bool m_bScrollWheelOn = true;
  bool m_bDpiIndicotorOn = true;
  bool m_bDpiButtonsOn = true;
  bool m_bLogoTypeOn = true;
  int32_t m_nMode = 1;
  bool m_bColorShift = false;
  std::unique_ptr<KivTimer> m_TimerColorShift;
  std::unique_ptr<KivTimer> m_TimerMode;
};

}  // namespace velt
