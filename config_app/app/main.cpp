// VELTPLUS [--emulate DIR] [--hidden] [--help] [--version]
#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "config_app/app/DesktopShell.h"
#include "config_app/app/SingleInstance.h"
#include "config_app/app/VELTConfig.h"
#include "config_app/app/options.h"
#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/main/VELTView.h"
#include "config_app/pages/SupportView.h"
#include "emulator/emulated_mouse.h"
#include "toolkit/main_loop.h"
#include "toolkit/platform/program_icon.h"
#include "toolkit/sheet_cache.h"
#include "velt_release.h"

int main(int argc, char** argv) {
  using namespace velt;
  ParsedOptions parsed = parseAppOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "VELTPLUS: %s\n%s", parsed.error.c_str(), appUsage());
    return 2;
  }
  const AppOptions& options = parsed.options;
  if (options.help) {
    std::fputs(appUsage(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("VELTPLUS %s\n", kApplicationVersion);
    return 0;
  }

  QApplication app(argc, argv);
  // Sheets drawn by an earlier start of this build are read, not drawn again.
  ScopedSheetCache sheetCache;
  QApplication::setApplicationName("VELTPLUS");
  QGuiApplication::setDesktopFileName(kVeltPlusDesktopId);
  QApplication::setWindowIcon(programIcon());
  QApplication::setQuitOnLastWindowClosed(false);  // OK and Cancel hide the program

  SingleInstance instance(SingleInstance::defaultFolder());
  if (instance.start() == SingleInstance::Role::AlreadyRunning) {
    std::fputs("VELTPLUS is already running: its window is shown.\n", stdout);
    return 0;
  }
  if (options.emulateDir) {
    std::string error;
    if (!installEmulatedMouse(*options.emulateDir, error)) {
      std::fprintf(stderr, "VELTPLUS: %s\n", error.c_str());
      return 2;
    }
  }

  VELTConfig config(chooseHostPointerSettings());
  if (!options.hidden) config.window().makeKeyAndOrderFront();
  DesktopShell shell(config);
  instance.setOnShowRequest([&config] { config.showWindow(); });
  postToMainThread([&config] { config.view().reportStartupProblems(); });
  return app.exec();
}
