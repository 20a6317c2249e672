#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace velt {

// veltctl's exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDeviceFailed = 1;  // a device function did not return success
// A usage error, an input file that cannot be used, or an output file refused.
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoMouse = 3;  // none found, or lost partway

// What a subcommand gets: its own arguments (without its name) and the two streams.
// Messages go to `err`, one line each. `in` answers questions (none: every question is
// answered no); `outIsTerminal` lets a command draw on the line it is on.
struct CommandContext {
  std::vector<std::string> args;
  std::ostream& out;
  std::ostream& err;
  std::istream* in = nullptr;
  bool outIsTerminal = false;
};

using CommandFunction = int (*)(CommandContext& context);

struct Command {
  const char* name;
  const char* usage;    // the arguments, as shown by --help
  const char* summary;  // one line
  CommandFunction run;
};

// Every subcommand, in the order --help lists them.
std::span<const Command> commandTable();

}  // namespace velt
