// The gallery's sheets "Gallery_Normal.bmp" to "Gallery_Disable.bmp": background, title
// and one titled panel per section; the sections paint their controls on top.
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintGallery(QPainter& painter, QSize size, SheetState) {
  paintBackground(painter, size);
  QRect title = sheetRect(kGalleryTitle, size.height());
  paintTitle(painter, title, "VELT", "control toolkit", 15);
  for (const GallerySectionLayout& section : kGallerySections)
    paintPanel(painter, sheetRect(section.frame, size.height()), section.title);
}

const RegisterSheetFamily kGallery{"Gallery",
                                   QSize(kGallerySize.width, kGallerySize.height),
                                   {"Normal", "Over", "Down", "Disable"},
                                   paintGallery};

}  // namespace

}  // namespace velt::sheetgen
