#include "toolkit/sheetgen/sheet_controls.h"

#include "toolkit/layout/slider_scroll_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

void paintMenuFace(QPainter& painter, const QRect& face, SheetState state, bool up,
                   const std::string& wording) {
  paintButtonFace(painter, face, state, wording);
  QRect arrow(face.right() - 16, face.top(), 12, face.height());
  paintArrow(painter, arrow, up, state == kDown ? kAccent : kTextDim);
}

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

void paintBar(QPainter& painter, const QRect& area, SheetState state) {
  if (state == kDown) {
    painter.fillRect(area, kAccent);
    return;
  }
  painter.fillRect(area, kFaceDisable);
  painter.setPen(kOutline);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void paintSliderGroove(QPainter& painter, const Rect& frame, int sheetHeight) {
  double middle = frame.maxY() - kSliderThumbSize.height / 2;
  QRect groove = sheetRect({frame.x + 2, middle - 1, frame.width - 4, 3}, sheetHeight);
  painter.fillRect(groove, kFace);
  painter.fillRect(groove.adjusted(0, 1, 0, -1), kOutline);
}

}  // namespace velt::sheetgen
