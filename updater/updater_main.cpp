// VELTUpdate [--emulate DIR] [--package DIR] [--help] [--version]: the firmware updater.
#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <string>
#include <string_view>

#include "emulator/emulated_mouse.h"
#include "toolkit/KivWindow.h"
#include "toolkit/layout/updater_layout.h"
#include "toolkit/main_loop.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/program_icon.h"
#include "toolkit/sheet_cache.h"
#include "updater/UpdaterView.h"
#include "updater/firmware_package.h"
#include "velt_release.h"

namespace {

constexpr const char* kUsage =
    "usage: VELTUpdate [--emulate DIR] [--package DIR]\n"
    "       VELTUpdate --help | --version\n\n"
    "  --emulate DIR  update the emulated mouse kept in DIR instead of a real one\n"
    "  --package DIR  the firmware package folder (fwconfig.plist and its .bin file);\n"
    "                 by default share/velt/firmware beside the installed program\n";

struct Options {
  std::string emulateDir;
  std::string packageDir;
  bool help = false;
  bool version = false;
};

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    const bool hasValue = i + 1 < argc && argv[i + 1][0] != '\0';
    if (option == "--help") {
      options.help = true;
    } else if (option == "--version") {
      options.version = true;
    } else if (option == "--emulate" && hasValue) {
      options.emulateDir = argv[++i];
    } else if (option == "--package" && hasValue) {
      options.packageDir = argv[++i];
    } else {
      std::fprintf(stderr, "VELTUpdate: unknown option or missing folder: %s\n%s", argv[i], kUsage);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) return 2;
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options.version) {
    std::printf("VELTUpdate %s\n", velt::kUpdaterSoftwareVersion);
    return 0;
  }
  if (options.packageDir.empty()) options.packageDir = velt::installedPackageFolder();

  QApplication app(argc, argv);
  using namespace velt;
  // Sheets drawn by an earlier start of this build are read, not drawn again.
  ScopedSheetCache sheetCache;
  QGuiApplication::setDesktopFileName(kVeltUpdateDesktopId);
  QApplication::setWindowIcon(programIcon());
  if (!options.emulateDir.empty()) {
    std::string error;
    if (!installEmulatedMouse(options.emulateDir, error)) {
      std::fprintf(stderr, "VELTUpdate: %s\n", error.c_str());
      return 2;
    }
  }
  const double screenWidth = QGuiApplication::primaryScreen()->geometry().width();
  const Rect frame = {(screenWidth - kUpdaterSize.width) / 2,
                      (screenHeight() - kUpdaterSize.height) / 2, kUpdaterSize.width,
                      kUpdaterSize.height};
  KivWindow window(frame);
  window.setTitle("VELTUpdate");
  UpdaterView view(options.packageDir, [] { QCoreApplication::exit(0); });
  view.initView(nullptr, 0, {0, 0, kUpdaterSize.width, kUpdaterSize.height});
  view.setWindow(&window);
  window.setContentView(&view);
  view.showSearching();
  window.makeKeyAndOrderFront();
  // Shown and painted before the search starts.
  processPendingEvents();
  view.startUpdateProcessing();
  return app.exec();
}
