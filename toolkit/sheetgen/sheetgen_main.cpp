// velt_sheetgen <output folder>: writes every registered sheet into the folder as the
// programs draw it at a ratio of 1, and the registered text files beside them. The
// programs draw their sheets themselves, at the ratio of the screen in use; the files are
// for installing (the icon) and for looking at.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstring>

#include "toolkit/sheetgen/sheet_registry.h"

using velt::sheetgen::SheetFile;

static bool write(const QImage& image, const QString& path) {
  return image.save(path, path.endsWith(".png") ? "PNG" : "BMP");
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts need it
  // An option ("--help") is not taken for the folder to write into.
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: velt_sheetgen <output folder>\n");
    return argc == 2 && std::strcmp(argv[1], "--help") == 0 ? 0 : 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "velt_sheetgen: cannot create %s\n", argv[1]);
    return 1;
  }
  for (const SheetFile& file : velt::sheetgen::sheetFiles()) {
    if (!write(velt::sheetgen::renderSheet(file),
               out.filePath(QString::fromStdString(file.fileName)))) {
      std::fprintf(stderr, "velt_sheetgen: cannot write %s\n", file.fileName.c_str());
      return 1;
    }
  }
  for (const velt::sheetgen::TextFile& file : velt::sheetgen::textFiles()) {
    QFile text(out.filePath(QString::fromStdString(file.fileName)));
    if (!text.open(QIODevice::WriteOnly) || text.write(file.content().c_str()) < 0) {
      std::fprintf(stderr, "velt_sheetgen: cannot write %s\n", file.fileName.c_str());
      return 1;
    }
  }
  return 0;
}
