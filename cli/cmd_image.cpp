#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_writer.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "device/commands.h"
#include "device/profile_image.h"
#include "model/Profile.h"
#include "model/plist_file.h"
#include "model/profile_apply.h"

namespace velt {
namespace {

struct ImageArguments {
  std::string plist;
  std::string output;
  long slot = -1;
};

// "image PLIST --slot N -o FILE", options in any order.
bool parseImageArguments(const std::vector<std::string>& args, ImageArguments& parsed) {
  for (size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--slot" && hasValue && parsed.slot < 0) {
      if (!parseNumber(args[++i], 0, kProfileCount - 1, parsed.slot)) return false;
    } else if (args[i] == "-o" && hasValue && parsed.output.empty()) {
      parsed.output = args[++i];
    } else if (parsed.plist.empty() && !args[i].empty() && args[i][0] != '-') {
      parsed.plist = args[i];
    } else {
      return false;
    }
  }
  return !parsed.plist.empty() && !parsed.output.empty() && parsed.slot >= 0;
}

}  // namespace

// The image Write_profile would send for the profile file, as the application reads
// it: a fresh profile, then the file, then the slot.
int runImage(CommandContext& context) {
  ImageArguments args;
  if (!parseImageArguments(context.args, args)) {
    return usageError(context, "usage: veltctl image PLIST --slot N -o FILE, N from 0 to 4");
  }
  // The image written over its own profile file would destroy the profile.
  std::error_code sameError;
  if (std::filesystem::equivalent(args.plist, args.output, sameError)) {
    return badFile(context, args.output, "cannot write: the input file itself; no image written");
  }
  Profile profile;
  FileReadError readError;
  if (!profile.read(args.plist, readError)) return badFile(context, args.plist, readError.reason);
  if (const std::string overflow = macroEventsOverflow(profile); !overflow.empty()) {
    return badFile(context, args.plist, overflow + "; no image written");
  }
  profile.setProfileID(static_cast<uint64_t>(args.slot));
  PROFILE_T record;
  profile.toPROFILE_T(record);
  const int events = macroEventTotal(record);
  std::array<uint8_t, kProfileImageSize> image{};
  Convert_pf_to_buffer(record, image);
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  std::string writeError;
  if (!systemFileWriter().replaceFile(args.output, bytes, writeError)) {
    return badFile(context, args.output, "cannot write: " + writeError);
  }
  context.out << "profile \"" << profile.profileName() << "\" slot " << args.slot << ", " << events
              << " macro events -> " << args.output << "\n";
  return kExitOk;
}

}  // namespace velt
