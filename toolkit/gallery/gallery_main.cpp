// velt_gallery [--screenshot <file.png>]: every control in one window, for looking at
// and for screenshots. With --screenshot it renders the window into the file and quits.
#include <QApplication>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdio>

#include "toolkit/KivWindow.h"
#include "toolkit/gallery/GalleryView.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_windows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString screenshot;
  for (int i = 1; i + 1 < argc; ++i)
    if (QString(argv[i]) == "--screenshot") screenshot = QString::fromLocal8Bit(argv[i + 1]);

  using namespace velt;
  double left = 40, bottom = screenHeight() - 40 - kGallerySize.height;
  KivWindow window({left, bottom, kGallerySize.width, kGallerySize.height});
  window.setTitle("VELT control gallery");
  window.setAccessibleDescription("Every control of the VELT toolkit, each in its states.");
  GalleryView gallery;
  window.setContentView(&gallery);
  window.makeKeyAndOrderFront();
  if (!screenshot.isEmpty()) {
    QImage shot = widgetOf(window)->grab().toImage();
    if (!shot.save(screenshot)) {
      std::fprintf(stderr, "velt_gallery: cannot write %s\n", argv[argc - 1]);
      return 1;
    }
    return 0;
  }
  return app.exec();
}
