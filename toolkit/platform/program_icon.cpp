#include "toolkit/platform/program_icon.h"

#include <QPixmap>

#include "toolkit/drawn_sheets.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {

QIcon programIcon() {
  QIcon icon;
  for (int size : kProgramIconSizes) {
    const Image drawn = drawSheet(programIconFile(size));
    if (!drawn.isNull()) icon.addPixmap(QPixmap::fromImage(*qt::qImage(drawn)));
  }
  return icon;
}

}  // namespace velt
