#pragma once

#include "cli/command.h"

// The subcommands; each group lives in its own cmd_*.cpp file and has one line in the
// table of command_table.cpp.

namespace velt {

int runDevices(CommandContext& context);
int runInfo(CommandContext& context);
int runSwitch(CommandContext& context);
int runDump(CommandContext& context);
int runLod(CommandContext& context);
int runSurface(CommandContext& context);
int runImage(CommandContext& context);
int runApply(CommandContext& context);
int runUpdate(CommandContext& context);

}  // namespace velt
