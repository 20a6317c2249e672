// The pictures of the gallery's check boxes, progress bars, colour buttons and mode
// buttons, painted onto the gallery's sheets.
#include "toolkit/layout/gallery_colour_layout.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

// A small square box and its label; checked or pressed lights the box in the accent.
void paintCheckBox(QPainter& painter, const QRect& area, SheetState state,
                   const std::string& wording) {
  const QRect box(area.left() + 2, area.top() + (area.height() - 12) / 2, 12, 12);
  const bool disabled = state == kDisable;
  painter.fillRect(box, disabled ? kFaceDisable : (state == kOver ? kFaceOver : kFace));
  painter.setPen(state == kOver ? kOutlineOver : kOutline);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  if (state == kDown) painter.fillRect(box.adjusted(3, 3, -3, -3), kAccent);
  const QColor text = disabled ? kTextDisable : (state == kNormal ? kTextDim : kText);
  paintText(painter, area.adjusted(20, 0, 0, 0), wording, text, 11);
}

// The empty bar in state 0, the full one (in the accent) in state 2.
void paintBar(QPainter& painter, const QRect& area, SheetState state) {
  if (state == kDown) {
    painter.fillRect(area, kAccent);
    return;
  }
  painter.fillRect(area, kFaceDisable);
  painter.setPen(kOutline);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void paintColourControls(QPainter& painter, QSize size, SheetState state) {
  const int h = size.height();
  for (const GalleryButtonLayout& check : kGalleryCheckLayouts)
    paintCheckBox(painter, sheetRect(check.frame, h), state, check.wording);
  paintCheckBox(painter, sheetRect(kGalleryColorShiftCheck.frame, h), state,
                kGalleryColorShiftCheck.wording);
  paintBar(painter, sheetRect(kGalleryHorizontalBar.frame, h), state);
  paintBar(painter, sheetRect(kGalleryVerticalBar.frame, h), state);
  for (const auto* buttons : {&kGalleryZoneColourLayouts, &kGalleryModeLayouts})
    for (const GalleryButtonLayout& button : *buttons)
      paintButtonFace(painter, sheetRect(button.frame, h), state, button.wording);
}

const RegisterSheetFamily kGalleryColourSheets{"Gallery",
                                               QSize(kGallerySize.width, kGallerySize.height),
                                               {"Normal", "Over", "Down", "Disable"},
                                               paintColourControls,
                                               1};

}  // namespace

}  // namespace velt::sheetgen
