#include "toolkit/sheet_resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function in the global namespace.
static void initVeltSheets() {
  Q_INIT_RESOURCE(velt_sheets);
}

namespace velt {

void initSheetResources() {
  static const bool done = (initVeltSheets(), true);
  (void)done;
}

}  // namespace velt
