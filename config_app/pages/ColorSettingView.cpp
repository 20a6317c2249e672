#include "config_app/pages/ColorSettingView.h"

#include <cstdlib>
#include <string>

#include "model/Profile.h"
#include "toolkit/color_panel_layout.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/color_setting_layout.h"
#include "toolkit/mouse_zones.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

constexpr int32_t kColorPanelImageId = 124;
constexpr uint32_t kZoneSelection = 16;
constexpr uint32_t kColorShiftFlag = 16;

Color toColor(const RgbaColor& c) {
  return {c.red, c.green, c.blue, c.alpha};
}

RgbaColor toRgba(const Color& c) {
  return {c.red, c.green, c.blue, c.alpha};
}

// A profile component as the fields show it: times 255, truncated, low 8 bits.
uint8_t componentByte(double component) {
  return static_cast<uint8_t>(static_cast<int64_t>(component * 255) & 0xFF);
}

}  // namespace

std::string polledColorText(const std::string& text) {
  std::string kept = text.size() >= 4 ? text.substr(text.size() - 3) : text;
  return std::strtol(kept.c_str(), nullptr, 10) >= 256 ? "255" : kept;
}

uint8_t colorTextByte(const std::string& text) {
  return static_cast<uint8_t>(std::strtol(text.c_str(), nullptr, 10) & 0xFF);
}

void ColorSettingView::initCtrls() {
  initButtons();
  initZones();
  initFields();
  placeControl(*this, m_StaticMouse, {kColorPreviewId, kColorPreview, "Lighting preview"});
  // Both pictures are decoded when first drawn: at start the page is hidden.
  m_StaticMouse.setBkImage(Image::deferred({kMousePictureWidth, kMousePictureHeight}, [] {
    return GetImage(0, kColorPreviewId, kColorPreview);
  }));
  m_BnLEDON.setSelected(true);
  m_BnSolidColor.setSelected(true);
  m_BnSolid.setSelected(true);
  showSelectactiveButton(false);
  m_time.start(kFieldPollInterval, [this] { modeTimer(); });
}

void ColorSettingView::initButtons() {
  std::array<KivButton*, 3> switches = {&m_BnLEDON, &m_BnLEDOFF, &m_BnLEDSelect};
  for (size_t i = 0; i < switches.size(); ++i)
    placeWithPictures(*this, *switches[i], kColorSwitches[i], GetImage);
  for (size_t i = 0; i < zoneChecks_.size(); ++i)
    placeWithPictures(*this, *zoneChecks_[i], kColorZoneChecks[i], GetImage);
  for (int i = 0; i < kColorPaletteCount; ++i) {
    const PaletteRgb& rgb = kColorPalette[static_cast<size_t>(i)];
    const std::string name = "Colour " + std::to_string(rgb.red) + ", " +
                             std::to_string(rgb.green) + ", " + std::to_string(rgb.blue);
    placeWithPictures(*this, paletteButton(i),
                      {kColorPaletteFirstId + i, colorSwatchFrame(i), name.c_str()}, GetImage);
  }
  placeWithPictures(*this, m_BnColorShift, kColorShift, GetImage);
  placeWithPictures(*this, m_BnSolidColor, kColorFixed, GetImage);
  for (size_t i = 0; i < modeButtons_.size(); ++i)
    placeWithPictures(*this, *modeButtons_[i], kColorModes[i], GetImage);
}

void ColorSettingView::initZones() {
  const Image panel = Image::deferred({kColorPanelWidth, kColorPanelHeight},
                                      [] { return GetImage(0, kColorPanelImageId, {}); });
  for (size_t i = 0; i < zoneButtons_.size(); ++i) {
    const ControlLayout& layout = kColorZoneButtons[i];
    placeControl(*this, *zoneButtons_[i], layout);
    const StatePictures pictures = statePictures(GetImage, layout);
    zoneButtons_[i]->setImages(pictures.normal, pictures.over, pictures.down, pictures.disable,
                               panel);
  }
}

void ColorSettingView::initFields() {
  std::array<KivEdit*, 3> edits = fields();
  for (size_t i = 0; i < edits.size(); ++i) {
    placeControl(*this, *edits[i], kColorFields[i]);
    edits[i]->setFont(systemFont(11));
    edits[i]->setColors(kWhiteColor, {0, 0, 0, 1});
  }
}

void ColorSettingView::showSelectactiveButton(bool flag) {
  for (size_t i = 0; i < zoneChecks_.size(); ++i) {
    if (flag) zoneChecks_[i]->check(false);
    zoneChecks_[i]->setHidden(!flag);
    zoneButtons_[i]->setHidden(!flag);
  }
}

void ColorSettingView::enableColors(bool flag) {
  for (KivButton& swatch : m_BnColor) swatch.setEnable(flag);
  for (KivEdit* field : fields()) field->setEditable(flag);
}

void ColorSettingView::setColor(uint8_t red, uint8_t green, uint8_t blue) {
  m_StaticMouse.setAllColor({static_cast<float>(red) / 255.0f, static_cast<float>(green) / 255.0f,
                             static_cast<float>(blue) / 255.0f, 1});
  const std::array<std::string, 3> texts = {std::to_string(red), std::to_string(green),
                                            std::to_string(blue)};
  std::array<KivEdit*, 3> edits = fields();
  for (size_t i = 0; i < edits.size(); ++i) edits[i]->setText(texts[i]);
  m_appliedTexts = texts;
}

void ColorSettingView::modeTimer() {
  if (!isShownOnScreen()) return;
  std::array<std::string, 3> texts;
  std::array<KivEdit*, 3> edits = fields();
  for (size_t i = 0; i < edits.size(); ++i) {
    const std::string typed = edits[i]->text();
    texts[i] = polledColorText(typed);
    if (texts[i] != typed) edits[i]->setText(texts[i]);
  }
  if (m_appliedTexts == texts) return;
  setColor(colorTextByte(texts[0]), colorTextByte(texts[1]), colorTextByte(texts[2]));
}

void ColorSettingView::selectSwitch(KivButton& chosen) {
  for (KivButton* button : {&m_BnLEDON, &m_BnLEDOFF, &m_BnLEDSelect})
    button->setSelected(button == &chosen);
}

void ColorSettingView::selectMode(int32_t mode) {
  for (size_t i = 0; i < modeButtons_.size(); ++i)
    modeButtons_[i]->setSelected(static_cast<int32_t>(i) + 1 == mode);
  m_StaticMouse.setMode(mode);
}

void ColorSettingView::setColorShift(bool flag) {
  m_BnColorShift.setSelected(flag);
  m_BnSolidColor.setSelected(!flag);
  m_StaticMouse.setColorShift(flag);
  enableColors(!flag);
}

void ColorSettingView::applyZoneColor(int zone) {
  const std::optional<Color>& color = zoneColorButton(zone).color();
  if (!color) return;
  m_StaticMouse.setZoneColor(kLedZoneBits[static_cast<size_t>(zone)], *color);
}

void ColorSettingView::OnCmd(int32_t id) {
  if (id == kColorSwitches[0].id) {
    selectSwitch(m_BnLEDON);
    m_StaticMouse.LEDOn();
    showSelectactiveButton(false);
  } else if (id == kColorSwitches[1].id) {
    selectSwitch(m_BnLEDOFF);
    m_StaticMouse.LEDOff();
    showSelectactiveButton(false);
  } else if (id == kColorSwitches[2].id) {
    selectSwitch(m_BnLEDSelect);
    m_StaticMouse.LEDOff();
    showSelectactiveButton(true);
  } else if (id >= kColorZoneChecks[0].id && id <= kColorZoneChecks[3].id) {
    const size_t zone = static_cast<size_t>(id - kColorZoneChecks[0].id);
    m_StaticMouse.LED(kLedZoneBits[zone], zoneChecks_[zone]->isCheck());
  } else if (id >= kColorPaletteFirstId && id < kColorPaletteFirstId + kColorPaletteCount) {
    const PaletteRgb& rgb = kColorPalette[static_cast<size_t>(id - kColorPaletteFirstId)];
    setColor(rgb.red, rgb.green, rgb.blue);
  } else if (id >= kColorZoneButtons[0].id && id <= kColorZoneButtons[3].id) {
    applyZoneColor(id - kColorZoneButtons[0].id);
  } else if (id >= kColorModes[0].id && id <= kColorModes[3].id) {
    selectMode(id - kColorModes[0].id + 1);
  } else if (id == kColorShift.id) {
    setColorShift(true);
  } else if (id == kColorFixed.id) {
    setColorShift(false);
  }
}

void ColorSettingView::getUIData(Profile& profile) {
  uint32_t effects = 0;
  if (m_BnLEDON.selected()) {
    effects = kAllLedZones;
  } else if (m_BnLEDSelect.selected() && !m_BnLEDOFF.selected()) {
    effects = kZoneSelection;
    for (size_t i = 0; i < zoneChecks_.size(); ++i)
      if (zoneChecks_[i]->isCheck()) effects |= static_cast<uint32_t>(kLedZoneBits[i]);
  }
  profile.setLEDEffects(effects);
  uint32_t mode = 0;
  for (size_t i = 0; i < modeButtons_.size() && mode == 0; ++i)
    if (modeButtons_[i]->selected()) mode = static_cast<uint32_t>(i) + 1;
  if (m_BnColorShift.selected()) mode |= kColorShiftFlag;
  profile.setLEDMode(mode);
  profile.setScrollWheelColor(toRgba(m_StaticMouse.getScrollWheelColor()));
  profile.setDpiIndicotorColor(toRgba(m_StaticMouse.getDpiIndicotorColor()));
  profile.setDpiButtonsColor(toRgba(m_StaticMouse.getDpiButtonsColor()));
  profile.setLogoTypeColor(toRgba(m_StaticMouse.getLogoTypeColor()));
}

void ColorSettingView::setUIData(Profile& profile) {
  const uint32_t effects = profile.ledEffects();
  if (effects == kAllLedZones) {
    m_BnLEDON.setSelected(true);
    m_StaticMouse.LEDOn();
    m_BnLEDOFF.setSelected(false);
  } else {
    m_BnLEDON.setSelected(false);
    m_BnLEDOFF.setSelected(effects == 0);
    if (effects == 0) m_StaticMouse.LEDOff();
  }
  if (effects & kZoneSelection) {
    showSelectactiveButton(true);
    m_BnLEDSelect.setSelected(true);
    for (size_t i = 0; i < zoneChecks_.size(); ++i) {
      const bool lit = (effects & static_cast<uint32_t>(kLedZoneBits[i])) != 0;
      zoneChecks_[i]->check(lit);
      m_StaticMouse.LED(kLedZoneBits[i], lit);
    }
  } else {
    showSelectactiveButton(false);
    m_BnLEDSelect.setSelected(false);
  }

  uint32_t mode = profile.ledMode();
  const bool shifting = (mode & kColorShiftFlag) != 0;
  if (shifting) mode -= kColorShiftFlag;
  setColorShift(shifting);
  for (KivButton* button : modeButtons_) button->setSelected(false);
  if (mode >= 1 && mode <= 4) selectMode(static_cast<int32_t>(mode));

  const RgbaColor& logo = profile.logoTypeColor();
  setColor(componentByte(logo.red), componentByte(logo.green), componentByte(logo.blue));
  m_StaticMouse.setScrollWheelColor(toColor(profile.scrollWheelColor()));
  m_StaticMouse.setDpiIndicotorColor(toColor(profile.dpiIndicotorColor()));
  m_StaticMouse.setDpiButtonsColor(toColor(profile.dpiButtonsColor()));
  m_StaticMouse.setLogoTypeColor(toColor(profile.logoTypeColor()));
}

}  // namespace velt
