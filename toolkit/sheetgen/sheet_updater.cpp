// The updater's dialog sheets: each dialog's wording, its buttons' faces in the Normal,
// Hover and Push sheets, and the progress bar empty (Normal) and full (Hover), at the
// places of the updater's layout.
#include <string>
#include <vector>

#include "toolkit/layout/updater_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

const char* buttonWording(UpdaterControlKind kind) {
  switch (kind) {
    case UpdaterControlKind::kOk:
      return "OK";
    case UpdaterControlKind::kCancel:
      return "Cancel";
    case UpdaterControlKind::kClose:
      return "\u00D7";
    default:
      return nullptr;
  }
}

void paintProgressBar(QPainter& painter, const QRect& area, bool full) {
  painter.fillRect(area, kPanel);
  painter.setPen(QPen(kOutline, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  if (full) painter.fillRect(area.adjusted(2, 2, -2, -2), kAccent);
}

void paintDialog(const UpdaterDialogLayout& dialog, QPainter& painter, QSize size,
                 SheetState state) {
  const int h = size.height();
  paintBackground(painter, size);
  painter.setPen(QPen(kOutline, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
  // The title band along the top, with the close button at its right end.
  painter.fillRect(QRect(1, 1, size.width() - 2, sheetRect(kUpdaterTitleRect, h).bottom() + 4),
                   kPanel);
  painter.setFont(sheetFont(13, true));
  painter.setPen(kAccent);
  painter.drawText(sheetRect(kUpdaterTitleRect, h), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(dialog.title));
  for (const UpdaterLine& line : dialog.lines) {
    paintText(painter, sheetRect(line.rect, h), line.text, kText, 11,
              (line.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  for (const UpdaterControl& control : dialog.controls) {
    const QRect area = sheetRect(control.rect, h);
    if (const char* wording = buttonWording(control.kind)) {
      paintButtonFace(painter, area, state, wording);
    } else if (control.kind == UpdaterControlKind::kProgress) {
      paintProgressBar(painter, area, state != kNormal);
    }
  }
}

std::vector<RegisterSheetFamily> registerDialogs() {
  std::vector<RegisterSheetFamily> families;
  const QSize size(static_cast<int>(kUpdaterSize.width), static_cast<int>(kUpdaterSize.height));
  for (const UpdaterDialogLayout& dialog : kUpdaterDialogs) {
    // The progress dialog has no button: its second sheet is the full bar. The
    // searching picture has no control at all.
    const std::vector<std::string> suffixes =
        dialog.number == 0    ? std::vector<std::string>{"Normal"}
        : dialog.number == 10 ? std::vector<std::string>{"Normal", "Hover"}
                              : std::vector<std::string>{"Normal", "Hover", "Push"};
    families.emplace_back(dialog.family, size, suffixes,
                          [&dialog](QPainter& painter, QSize sheetSize, SheetState state) {
                            paintDialog(dialog, painter, sheetSize, state);
                          });
  }
  return families;
}

const std::vector<RegisterSheetFamily> kUpdaterSheets = registerDialogs();

}  // namespace

}  // namespace velt::sheetgen
