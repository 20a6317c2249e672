// The VELTPLUS main window's sheets "Main_Normal.bmp" to "Main_Disable.bmp": the title
// band, the page tabs, the profile tabs with their menus, the panel the pages lie on and
// the bottom row.
#include "toolkit/layout/main_layout.h"
#include "toolkit/sheetgen/sheet_controls.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintMain(QPainter& painter, QSize size, SheetState state) {
  int h = size.height();
  paintBackground(painter, size);
  paintTitle(painter, sheetRect(kMainTitle, h), "VELTPLUS", "VELT gaming mouse settings", 18);
  painter.fillRect(
      sheetRect({kMainPageFrame.x, kMainPageFrame.maxY() + 48, kMainPageFrame.width, 1}, h),
      kOutline);
  paintPanel(painter, sheetRect(kMainPageFrame, h), "");

  for (const ControlLayout& tab : kMainPageTabs)
    paintButtonFace(painter, sheetRect(tab.frame, h), state, tab.wording);
  for (int i = 0; i < 5; ++i) {
    paintButtonFace(painter, sheetRect(profileTabFrame(i), h), state, "");
    paintMenuFace(painter, sheetRect(profileMenuFrame(i), h), state, false);
  }
  for (const ControlLayout& button : kMainActionButtons)
    paintButtonFace(painter, sheetRect(button.frame, h), state, button.wording);
  paintMenuFace(painter, sheetRect(kMainLanguage.frame, h), state, true);
  paintText(painter, sheetRect(kMainVersionLabel, h), "Version", kTextDim, 11);
}

const RegisterSheetFamily kMainSheets{"Main",
                                      QSize(kMainWindowSize.width, kMainWindowSize.height),
                                      {"Normal", "Over", "Down", "Disable"},
                                      paintMain};

}  // namespace

}  // namespace velt::sheetgen
