// The pop-up dialogs' sheets, one family per dialog type ("ReName_Normal.bmp" ...), with
// the dialog's headline and wording drawn in, and the running analysis' three frames.
#include <string>

#include "toolkit/layout/dialog_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

QSize dialogSize() {
  return QSize(static_cast<int>(kDialogSize.width), static_cast<int>(kDialogSize.height));
}

// A box the dialog shows text in (the key name, the countdown, the rename field).
void paintWell(QPainter& painter, const QRect& area) {
  painter.fillRect(area, QColor(0, 0, 0));
  painter.setPen(QPen(kOutline, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void paintDialog(const DialogLayout& layout, QPainter& painter, QSize size, SheetState state) {
  int h = size.height();
  QRect whole(QPoint(0, 0), size);
  painter.fillRect(whole, kPanel);
  painter.fillRect(QRect(0, 0, size.width(), 40), kFace);
  painter.setPen(QPen(kOutlineOver, 1));
  painter.drawRect(whole.adjusted(0, 0, -1, -1));
  painter.setFont(sheetFont(14, true));
  painter.setPen(kText);
  painter.drawText(sheetRect(kDialogHeadline, h), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(layout.headline));
  paintWrappedText(painter, sheetRect(dialogWordingRect(layout.type), h), layout.wording, kTextDim,
                   12);

  paintButtonFace(painter, sheetRect(kDialogClose, h), state, "\u00d7");
  if (layout.okId) paintButtonFace(painter, sheetRect(dialogOKRect(layout), h), state, "OK");
  if (layout.cancelId) paintButtonFace(painter, sheetRect(kDialogCancel, h), state, "Cancel");
  switch (layout.type) {
    case kRenameDialog:
      paintWell(painter, sheetRect(kRenameField, h));
      break;
    case kAssignKeyDialog:
      paintWell(painter, sheetRect(kAssignKeyName, h));
      break;
    case kAnalysisRunDialog:
      paintWell(painter, sheetRect(kAnalysisCountdown, h));
      break;
    default:
      break;
  }
}

// One sheet family per dialog type, registered at start.
struct DialogSheets {
  DialogSheets() {
    for (const DialogLayout& layout : kDialogLayouts) {
      std::string disable = layout.hasDisableSheet ? "Disable" : "";
      RegisterSheetFamily(layout.family, dialogSize(), {"Normal", "Over", "Down", disable},
                          [&layout](QPainter& painter, QSize size, SheetState state) {
                            paintDialog(layout, painter, size, state);
                          });
    }
  }
};
const DialogSheets kDialogSheets;

// A sweep around the sensor, a third further round in each frame.
void paintAnalysisFrame(QPainter& painter, QSize size, int frame) {
  painter.fillRect(QRect(QPoint(0, 0), size), kPanel);
  painter.setRenderHint(QPainter::Antialiasing);
  QRectF ring = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(8, 8, -8, -8);
  painter.setPen(QPen(kOutline, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(ring);
  painter.setPen(QPen(kAccent, 4, Qt::SolidLine, Qt::RoundCap));
  int start = 90 * 16 - frame * 120 * 16;
  painter.drawArc(ring, start, -90 * 16);
  painter.setBrush(kAccent);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(ring.center(), 5, 5);
}

QSize frameSize() {
  return QSize(static_cast<int>(kAnalysisFrameSize.width),
               static_cast<int>(kAnalysisFrameSize.height));
}

const RegisterSheet kFrame1{kAnalysisFrames[0], frameSize(),
                            [](QPainter& p, QSize s, SheetState) { paintAnalysisFrame(p, s, 0); }};
const RegisterSheet kFrame2{kAnalysisFrames[1], frameSize(),
                            [](QPainter& p, QSize s, SheetState) { paintAnalysisFrame(p, s, 1); }};
const RegisterSheet kFrame3{kAnalysisFrames[2], frameSize(),
                            [](QPainter& p, QSize s, SheetState) { paintAnalysisFrame(p, s, 2); }};

}  // namespace

}  // namespace velt::sheetgen
