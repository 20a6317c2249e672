// The lighting page's sheets: "ColorSetting_BK.bmp", its background (panels and the
// wording beside the controls), and "ColorSetting_Normal.bmp" to
// "ColorSetting_Disable.bmp", the background with every control's picture in one state.
#include "toolkit/layout/color_setting_layout.h"
#include "toolkit/sheetgen/sheet_controls.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintBackdrop(QPainter& painter, QSize size) {
  const int h = size.height();
  painter.fillRect(QRect(QPoint(0, 0), size), kPanel);
  paintPanel(painter, sheetRect(kColorSwitchPanel, h), "Lighting");
  paintPanel(painter, sheetRect(kColorZonePanel, h), "Zones");
  paintPanel(painter, sheetRect(kColorEffectPanel, h), "Effect");
  paintPanel(painter, sheetRect(kColorColourPanel, h), "Colour");
  for (const ControlLayout& field : kColorFields) {
    paintText(painter, sheetRect(field.label, h), field.wording, kTextDim, 11);
    painter.fillRect(sheetRect(field.frame, h).adjusted(-1, -1, 1, 1), kOutline);
  }
  paintWrappedText(painter, sheetRect(kColorFieldsHint, h),
                   "Pick a colour, or type its red, green and blue (0 to 255) below.", kTextDim,
                   11);
}

// A swatch of its colour; the pointer over it rims it, pressed or chosen lights the rim,
// disabled dims it.
void paintSwatch(QPainter& painter, const QRect& area, const PaletteRgb& rgb, SheetState state) {
  QColor colour(rgb.red, rgb.green, rgb.blue);
  if (state == kDisable)
    colour = QColor((rgb.red + kPanel.red() * 3) / 4, (rgb.green + kPanel.green() * 3) / 4,
                    (rgb.blue + kPanel.blue() * 3) / 4);
  const QColor rim = state == kOver ? kText : state == kDown ? kAccent : kOutline;
  painter.fillRect(area, rim);
  const int inset = state == kNormal || state == kDisable ? 1 : 2;
  painter.fillRect(area.adjusted(inset, inset, -inset, -inset), colour);
}

void paintControls(QPainter& painter, QSize size, SheetState state) {
  const int h = size.height();
  paintBackdrop(painter, size);
  const auto paintFace = [&](const ControlLayout& button) {
    paintButtonFace(painter, sheetRect(button.frame, h), state, button.drawnWording());
  };
  for (const ControlLayout& button : kColorSwitches) paintFace(button);
  for (const ControlLayout& button : kColorModes) paintFace(button);
  paintFace(kColorShift);
  paintFace(kColorFixed);
  for (const ControlLayout& check : kColorZoneChecks)
    paintCheckBox(painter, sheetRect(check.frame, h), state, check.drawnWording());
  for (const ControlLayout& button : kColorZoneButtons)
    paintMenuFace(painter, sheetRect(button.frame, h), state, false, button.drawnWording());
  for (int i = 0; i < kColorPaletteCount; ++i)
    paintSwatch(painter, sheetRect(colorSwatchFrame(i), h), kColorPalette[static_cast<size_t>(i)],
                state);
}

const QSize kPageSize(kColorSettingPageSize.width, kColorSettingPageSize.height);

const RegisterSheet kBackground{
    "ColorSetting_BK.bmp", kPageSize,
    [](QPainter& painter, QSize size, SheetState) { paintBackdrop(painter, size); }};
const RegisterSheetFamily kControls{
    "ColorSetting", kPageSize, {"Normal", "Over", "Down", "Disable"}, paintControls};

}  // namespace

}  // namespace velt::sheetgen
