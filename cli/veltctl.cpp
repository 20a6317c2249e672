#include "cli/veltctl.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "cli/cli_support.h"
#include "device/hid_device.h"
#include "emulator/emulated_mouse.h"
#include "velt_release.h"

namespace velt {
namespace {

struct GlobalOptions {
  std::string emulateDir;
  bool help = false;
  bool version = false;
};

void printHelp(std::ostream& out) {
  out << "usage: veltctl [--emulate DIR] COMMAND [ARGS]\n"
         "       veltctl --help | --version\n\n"
         "  --emulate DIR  talk to the emulated mouse kept in DIR instead of a real one\n\n";
  auto synopsis = [](const Command& command) {
    return std::string(command.name) + " " + command.usage;
  };
  size_t width = 0;
  for (const Command& command : commandTable()) width = std::max(width, synopsis(command).size());
  for (const Command& command : commandTable()) {
    std::string line = synopsis(command);
    line.resize(width + 2, ' ');
    out << "  " << line << command.summary << "\n";
  }
}

// Reads the global options in front of the subcommand; `next` ends on its name.
bool parseGlobalOptions(CommandContext& context, int argc, const char* const* argv, int& next,
                        GlobalOptions& options) {
  for (next = 1; next < argc && std::string_view(argv[next]).starts_with("-"); ++next) {
    const std::string_view option = argv[next];
    if (option == "--help") {
      options.help = true;
    } else if (option == "--version") {
      options.version = true;
    } else if (option == "--emulate" && next + 1 < argc && argv[next + 1][0] != '\0') {
      options.emulateDir = argv[++next];
    } else if (option == "--emulate") {
      usageError(context, "--emulate needs a folder");
      return false;
    } else {
      usageError(context, "unknown option " + std::string(option));
      return false;
    }
  }
  return true;
}

const Command* findCommand(std::string_view name) {
  for (const Command& command : commandTable()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

int runCommand(const Command& command, CommandContext& context, const std::string& emulateDir) {
  if (!emulateDir.empty()) {
    std::string error;
    if (!installEmulatedMouse(emulateDir, error)) {
      context.err << error << "\n";
      return kExitUsage;
    }
  }
  const int status = command.run(context);
  Close_device();
  if (!emulateDir.empty()) setHidHost(nullptr);
  return status;
}

}  // namespace

int runVeltctl(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
               std::istream* in, bool outIsTerminal) {
  CommandContext context{{}, out, err, in, outIsTerminal};
  GlobalOptions options;
  int next = 1;
  if (!parseGlobalOptions(context, argc, argv, next, options)) return kExitUsage;
  if (options.help) {
    printHelp(out);
    return kExitOk;
  }
  if (options.version) {
    out << "veltctl " << kVeltVersion << "\n";
    return kExitOk;
  }
  if (next >= argc) return usageError(context, "no command given");
  const Command* command = findCommand(argv[next]);
  if (!command) return usageError(context, "unknown command " + std::string(argv[next]));
  context.args.assign(argv + next + 1, argv + argc);
  return runCommand(*command, context, options.emulateDir);
}

}  // namespace velt
