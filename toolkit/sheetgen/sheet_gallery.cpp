// The gallery's sheets "Gallery_Normal.bmp" to "Gallery_Disable.bmp": background, title
// and one titled panel per section; the sections paint their controls on top.
#include <QFontMetrics>

#include "toolkit/layout/gallery_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintGallery(QPainter& painter, QSize size, SheetState) {
  paintBackground(painter, size);
  QRect title = sheetRect(kGalleryTitle, size.height());
  // The name in bold, what the window is in the quieter grey.
  const QFont name = sheetFont(15, true);
  painter.setFont(name);
  painter.setPen(kText);
  painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, "VELT");
  const QFontMetrics metrics(name);
  painter.fillRect(QRect(title.left(), title.bottom() + 2, metrics.horizontalAdvance("VELT"), 2),
                   kAccent);
  paintText(painter, title.adjusted(metrics.horizontalAdvance("VELT "), 0, 0, 0), "control toolkit",
            kTextDim, 15);
  for (const GallerySectionLayout& section : kGallerySections)
    paintPanel(painter, sheetRect(section.frame, size.height()), section.title);
}

const RegisterSheetFamily kGallery{"Gallery",
                                   QSize(kGallerySize.width, kGallerySize.height),
                                   {"Normal", "Over", "Down", "Disable"},
                                   paintGallery};

}  // namespace

}  // namespace velt::sheetgen
