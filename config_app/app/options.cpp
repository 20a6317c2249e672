#include "config_app/app/options.h"

namespace velt {

ParsedOptions parseAppOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  AppOptions& o = parsed.options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a == "--emulate") {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        parsed.error = "--emulate needs a folder";
        return parsed;
      }
      o.emulateDir = arguments[++i];
    } else if (a == "--hidden") {
      o.hidden = true;
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else {
      parsed.error = "unknown argument: " + a;
      return parsed;
    }
  }
  return parsed;
}

const char* appUsage() {
  return "usage: VELTPLUS [--emulate DIR] [--hidden] [--help] [--version]\n"
         "  --emulate DIR  use the emulated mouse kept in DIR instead of an attached one\n"
         "  --hidden       start with the window hidden (at login); the tray icon shows it\n"
         "Starting VELTPLUS while it runs shows the running program's window.\n";
}

}  // namespace velt
