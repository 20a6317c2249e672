#include "toolkit/platform/program_icon.h"

#include <QString>

#include "toolkit/sheet_resources.h"

namespace velt {

QIcon programIcon() {
  initSheetResources();
  QIcon icon;
  for (int size : kProgramIconSizes)
    icon.addFile(QString(":/sheets/") + QString::fromStdString(programIconFile(size)),
                 QSize(size, size));
  return icon;
}

}  // namespace velt
