// The macro page's sheets: "MacroSetting_BK.bmp", the page with its three panels, and
// "MacroSetting_Normal.bmp" to "MacroSetting_Disable.bmp", the same page with the faces
// of its controls, and under it the band with the Stop recording button's faces.
#include "toolkit/layout/macro_setting_layout.h"
#include "toolkit/sheetgen/sheet_controls.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

const int kPageHeight = static_cast<int>(kMacroSettingPageSize.height);

void paintPage(QPainter& painter) {
  const int h = kPageHeight;
  painter.fillRect(QRect(0, 0, static_cast<int>(kMacroSettingPageSize.width), h), kPanel);
  paintPanel(painter, sheetRect(kMacroListPanel, h), "Macros");
  paintPanel(painter, sheetRect(kMacroEventsPanel, h), "Events");
  paintPanel(painter, sheetRect(kMacroRecordPanel, h), "Recording");
  for (const Rect& list : {kMacroListFrame, kMacroEventsFrame}) {
    QRect area = sheetRect(list, h);
    painter.fillRect(area, kBackground);
    painter.setPen(kOutline);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
  }
  paintWrappedText(painter, sheetRect(kMacroRecordNote, h),
                   "Choose a macro, then start recording and type the keys. Right-click an "
                   "event to insert mouse buttons or delays.",
                   kTextDim, 11);
}

void paintMacroBackground(QPainter& painter, QSize, SheetState) {
  paintPage(painter);
}

void paintControls(QPainter& painter, QSize size, SheetState state) {
  paintPage(painter);
  const int h = kPageHeight;
  for (const ControlLayout& control : {kNewMacroButton, kDeleteMacroButton, kStartRecordingButton})
    paintButtonFace(painter, sheetRect(control.frame, h), state, control.wording);
  for (const ControlLayout& box : {kRecordDelaysBox, kRecordPressesBox})
    paintCheckBox(painter, sheetRect(box.frame, h), state, box.wording);
  paintButtonFace(painter, sheetRect(kStopRecordingButton.piece, size.height()), state,
                  kStopRecordingButton.wording);
}

const QSize kSheetSize(static_cast<int>(kMacroSettingSheetSize.width),
                       static_cast<int>(kMacroSettingSheetSize.height));

const RegisterSheet kMacroBackground{
    "MacroSetting_BK.bmp", QSize(static_cast<int>(kMacroSettingPageSize.width), kPageHeight),
    paintMacroBackground};
const RegisterSheetFamily kMacroSheets{
    "MacroSetting", kSheetSize, {"Normal", "Over", "Down", "Disable"}, paintControls};

}  // namespace

}  // namespace velt::sheetgen
