// The pictures of the gallery's check boxes, progress bars, colour buttons and mode
// buttons, painted onto the gallery's sheets.
#include "toolkit/layout/gallery_colour_layout.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/sheetgen/sheet_controls.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintColourControls(QPainter& painter, QSize size, SheetState state) {
  const int h = size.height();
  for (const ControlLayout& check : kGalleryCheckLayouts)
    paintCheckBox(painter, sheetRect(check.frame, h), state, check.wording);
  paintCheckBox(painter, sheetRect(kGalleryColorShiftCheck.frame, h), state,
                kGalleryColorShiftCheck.wording);
  paintBar(painter, sheetRect(kGalleryHorizontalBar.frame, h), state);
  paintBar(painter, sheetRect(kGalleryVerticalBar.frame, h), state);
  for (const auto* buttons : {&kGalleryZoneColourLayouts, &kGalleryModeLayouts})
    for (const ControlLayout& button : *buttons)
      paintButtonFace(painter, sheetRect(button.frame, h), state, button.wording);
}

const RegisterSheetFamily kGalleryColourSheets{"Gallery",
                                               QSize(kGallerySize.width, kGallerySize.height),
                                               {"Normal", "Over", "Down", "Disable"},
                                               paintColourControls,
                                               1};

}  // namespace

}  // namespace velt::sheetgen
