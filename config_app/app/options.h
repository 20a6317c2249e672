#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velt {

// VELTPLUS [--emulate DIR] [--hidden] [--help] [--version]
struct AppOptions {
  std::optional<std::string> emulateDir;
  bool hidden = false;
  bool help = false;
  bool version = false;
};

struct ParsedOptions {
  AppOptions options;
  std::string error;  // what was wrong with the arguments; empty when they were right
};

ParsedOptions parseAppOptions(const std::vector<std::string>& arguments);
const char* appUsage();

}  // namespace velt
