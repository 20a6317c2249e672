#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "device/commands.h"
#include "model/Profile.h"
#include "model/folders.h"
#include "model/plist_file.h"
#include "model/profile_apply.h"
#include "model/profile_set.h"

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

// Reads profile n's file as the application does (a missing file leaves the defaults).
// A file that is there but cannot be read, or that the mouse cannot take, is named
// with the reason; false then.
bool readProfileFile(CommandContext& context, int n, Profile& p) {
  FileReadError error;
  if (!p.read(p.profilePath(), error)) {
    if (error.problem != FileProblem::kMissing) {
      badFile(context, profileFileName(n), error.reason);
      return false;
    }
    context.err << profileFileName(n) << ": no file, defaults used\n";
  }
  if (const std::string overflow = macroEventsOverflow(p); !overflow.empty()) {
    badFile(context, profileFileName(n), overflow);
    return false;
  }
  return true;
}

// The failed steps of an apply that reached the mouse, one line each.
int reportApplyFailure(CommandContext& context, const ApplyOutcome& outcome, long current) {
  if (outcome.failure == ApplyFailure::kMouseNotFound || !mouseStillThere()) {
    context.err << "apply: the VELT mouse was lost\n";
    return kExitNoMouse;
  }
  for (int n = 1; n <= ProfileSet::kCount; ++n) {
    const DeviceResult result = outcome.writeResults[static_cast<size_t>(n - 1)];
    if (result != kResultSuccess) {
      context.err << "Write_profile " << profileSlot(n) << " (" << profileFileName(n)
                  << ") failed: " << failureReason(result) << "\n";
    }
  }
  if (outcome.failure == ApplyFailure::kSetCurrentProfile) {
    context.err << "Set_current_profile_id " << current
                << " failed: " << failureReason(kResultTransferFailed) << "\n";
  }
  return kExitDeviceFailed;
}

}  // namespace

// The five profile files of the folder, read as the application reads them at start-up,
// written to the mouse. Nothing is written when a file cannot be used.
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
    return badFile(context, folder, "no such profile folder");
  }
  ProfileSet profiles;
  profiles.initProfiles(folder);
  bool usable = true;
  for (int n = 1; n <= ProfileSet::kCount; ++n) {
    usable = readProfileFile(context, n, profiles[n - 1]) && usable;
  }
  if (!usable) {
    context.err << "nothing written to the mouse\n";
    return kExitUsage;
  }
  if (!openMouse(context)) return kExitNoMouse;
  const ApplyOutcome outcome =
      applyProfilesToMouse(profiles.all(), static_cast<uint8_t>(args.current));
  if (!outcome.success) return reportApplyFailure(context, outcome, args.current);
  context.out << "5 profiles written, current profile " << args.current << "\n";
  return kExitOk;
}

}  // namespace velt
