// The gallery's buttons and text field label, painted onto the gallery's sheets.
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintButtons(QPainter& painter, QSize size, SheetState state) {
  for (const ControlLayout& button : kGalleryButtonLayouts)
    paintButtonFace(painter, sheetRect(button.frame, size.height()), state, button.wording);
  paintText(painter, sheetRect(kGalleryMacroName.label, size.height()), kGalleryMacroName.wording,
            kTextDim, 11);
}

const RegisterSheetFamily kGalleryButtonsSheets{"Gallery",
                                                QSize(kGallerySize.width, kGallerySize.height),
                                                {"Normal", "Over", "Down", "Disable"},
                                                paintButtons,
                                                1};

}  // namespace

}  // namespace velt::sheetgen
