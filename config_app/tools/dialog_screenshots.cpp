// velt_dialog_screenshots <folder>: renders every pop-up dialog of VELTPLUS into
// "<folder>/dialog-<type>.png", for looking at them without clicking through the program.
#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

#include "config_app/dialogs/PopView.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/platform/qt_windows.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: velt_dialog_screenshots <folder>\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(".");
  using namespace velt;
  KivImageView owner;
  for (const DialogLayout& layout : kDialogLayouts) {
    PopView dialog;
    dialog.initPopView(&owner, layout.type);
    if (layout.type == kRenameDialog) dialog.textField().setText("Profile1");
    if (layout.type == kAssignKeyDialog) dialog.textStatic().setCurText("shift");
    dialog.window()->orderFront();
    QString file = out.filePath(QString("dialog-%1.png").arg(layout.type));
    if (!widgetOf(*dialog.window())->grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
