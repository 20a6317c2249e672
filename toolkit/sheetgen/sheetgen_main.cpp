// velt_sheetgen <output folder>: renders every registered sheet into the folder, with
// "sheets.qrc" listing them under the prefix "/sheets", for rcc to compile in, and the
// registered text files beside them.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

#include "toolkit/sheetgen/sheet_registry.h"

using velt::sheetgen::SheetFile;

static QImage render(const SheetFile& file) {
  QImage image(file.size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  for (const auto& layered : file.painters) {
    painter.save();
    layered.paint(painter, file.size, file.state);
    painter.restore();
  }
  return image;
}

static bool write(const QImage& image, const QString& path) {
  // Only PNG sheets keep their alpha; the bitmaps are opaque.
  if (path.endsWith(".png")) return image.save(path, "PNG");
  return image.convertToFormat(QImage::Format_RGB32).save(path, "BMP");
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts need it
  if (argc != 2) {
    std::fprintf(stderr, "usage: velt_sheetgen <output folder>\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "velt_sheetgen: cannot create %s\n", argv[1]);
    return 1;
  }
  QString qrc;
  QTextStream list(&qrc);
  list << "<RCC>\n  <qresource prefix=\"/sheets\">\n";
  for (const SheetFile& file : velt::sheetgen::sheetFiles()) {
    QString name = QString::fromStdString(file.fileName);
    if (!write(render(file), out.filePath(name))) {
      std::fprintf(stderr, "velt_sheetgen: cannot write %s\n", file.fileName.c_str());
      return 1;
    }
    list << "    <file>" << name << "</file>\n";
  }
  list << "  </qresource>\n</RCC>\n";
  for (const velt::sheetgen::TextFile& file : velt::sheetgen::textFiles()) {
    QFile text(out.filePath(QString::fromStdString(file.fileName)));
    if (!text.open(QIODevice::WriteOnly) || text.write(file.content().c_str()) < 0) {
      std::fprintf(stderr, "velt_sheetgen: cannot write %s\n", file.fileName.c_str());
      return 1;
    }
  }
  QFile qrcFile(out.filePath("sheets.qrc"));
  if (!qrcFile.open(QIODevice::WriteOnly) || qrcFile.write(qrc.toUtf8()) < 0) {
    std::fprintf(stderr, "velt_sheetgen: cannot write sheets.qrc\n");
    return 1;
  }
  return 0;
}
