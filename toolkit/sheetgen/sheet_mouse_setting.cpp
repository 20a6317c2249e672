// The button page's sheets "MouseSetting_Normal.bmp" to "MouseSetting_Disable.bmp": the
// seven function menus with their button names, the polling buttons, and the host
// pointer settings with their sliders and check box.
#include "toolkit/layout/mouse_setting_layout.h"
#include "toolkit/sheetgen/sheet_controls.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintLabel(QPainter& painter, const ControlLayout& control, int h) {
  paintText(painter, sheetRect(control.label, h), control.wording, kTextDim, 12);
}

void paintMouseSetting(QPainter& painter, QSize size, SheetState state) {
  int h = size.height();
  painter.fillRect(QRect(QPoint(0, 0), size), kPanel);
  paintPanel(painter, sheetRect(kMouseFunctionsPanel, h), "Button functions");
  paintPanel(painter, sheetRect(kMousePollingPanel, h), "Polling rate");
  paintPanel(painter, sheetRect(kMousePointerPanel, h), "Desktop pointer");
  for (int i = 0; i < 7; ++i) {
    ControlLayout menu = functionMenuLayout(i);
    paintLabel(painter, menu, h);
    paintMenuFace(painter, sheetRect(menu.frame, h), state, false);
  }
  for (const ControlLayout& button : kPollingButtons)
    paintButtonFace(painter, sheetRect(button.frame, h), state, button.wording);
  for (const ControlLayout& slider : {kDoubleClickSlider, kScrollSpeedSlider}) {
    paintLabel(painter, slider, h);
    paintSliderGroove(painter, slider.frame, h);
  }
  paintSliderGroove(painter, kAccelerationSlider.frame, h);
  paintCheckBox(painter, sheetRect(kAccelerationCheck.frame, h), state, kAccelerationCheck.wording);
  paintWrappedText(painter, sheetRect(kMousePointerNote, h),
                   "These three settings are your desktop's: they follow the profile in use "
                   "but are not stored in the mouse.",
                   kTextDim, 11);
}

const RegisterSheetFamily kMouseSettingSheets{
    "MouseSetting",
    QSize(kMouseSettingPageSize.width, kMouseSettingPageSize.height),
    {"Normal", "Over", "Down", "Disable"},
    paintMouseSetting};

}  // namespace

}  // namespace velt::sheetgen
