#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "device/commands.h"
#include "model/Profile.h"
#include "model/folders.h"
#include "model/profile_apply.h"

namespace velt {
namespace {

struct ApplyArguments {
  std::string folder;
  long current = 1;
};

bool parseApplyArguments(const std::vector<std::string>& args, ApplyArguments& parsed) {
  bool haveCurrent = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--profiles" && hasValue && parsed.folder.empty() && !args[i + 1].empty()) {
      parsed.folder = args[++i];
    } else if (args[i] == "--current" && hasValue && !haveCurrent) {
      haveCurrent = true;
      if (!parseNumber(args[++i], 0, kProfileCount - 1, parsed.current)) return false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

// The five profile files of the folder, read as the application reads them at start-up
// (a missing file leaves the defaults), written to the mouse.
int runApply(CommandContext& context) {
  ApplyArguments args;
  if (!parseApplyArguments(context.args, args)) {
    return usageError(context,
                      "usage: veltctl apply [--profiles DIR] [--current N], N from 0 to 4");
  }
  std::string folder = args.folder.empty() ? profileFolder() : args.folder;
  if (folder.back() != '/') folder += '/';
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    context.err << "no profile folder " << folder << "\n";
    return kExitUsage;
  }
  std::array<Profile, 5> profiles;
  for (int n = 1; n <= 5; ++n) {
    Profile& p = profiles[static_cast<size_t>(n - 1)];
    p.setProfileID(static_cast<uint64_t>(profileSlot(n)));
    p.setProfileName("Profile" + std::to_string(n));
    p.setProfilePath(folder + profileFileName(n));
    if (!p.read()) context.err << profileFileName(n) << ": not read, defaults used\n";
  }
  const ApplyOutcome outcome =
      applyProfilesToMouse({&profiles[0], &profiles[1], &profiles[2], &profiles[3], &profiles[4]},
                           static_cast<uint8_t>(args.current));
  for (int n = 1; n <= 5; ++n) {
    const DeviceResult result = outcome.writeResults[static_cast<size_t>(n - 1)];
    if (result != 0 && result != kResultSuccess) {
      context.err << "Write_profile " << profileSlot(n) << " failed: " << int{result} << "\n";
    }
  }
  if (!outcome.success) {
    context.err << outcome.message << "\n";
    return outcome.message == kMouseNotFoundMessage ? kExitNoMouse : kExitDeviceFailed;
  }
  context.out << "5 profiles written, current profile " << args.current << "\n";
  return kExitOk;
}

}  // namespace velt
