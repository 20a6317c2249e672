#include "toolkit/platform/program_icon.h"

#include <QString>

// Q_INIT_RESOURCE names a function in the global namespace.
static void initProgramIcon() {
  Q_INIT_RESOURCE(velt_program_icon);
}

namespace velt {

QIcon programIcon() {
  static const bool registered = (initProgramIcon(), true);
  (void)registered;
  QIcon icon;
  for (int size : kProgramIconSizes)
    icon.addFile(QString(":/icons/") + QString::fromStdString(programIconFile(size)),
                 QSize(size, size));
  return icon;
}

}  // namespace velt
