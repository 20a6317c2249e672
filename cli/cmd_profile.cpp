#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/file_writer.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "device/commands.h"
#include "device/profile_image.h"

namespace velt {
namespace {

bool parseProfileNumber(std::string_view text, uint8_t& number) {
  long value = 0;
  if (!parseNumber(text, 0, kProfileCount - 1, value)) return false;
  number = static_cast<uint8_t>(value);
  return true;
}

// "dump N -o FILE", the option before or after the number.
bool parseDumpArguments(const std::vector<std::string>& args, uint8_t& number, std::string& file) {
  bool haveNumber = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size() && file.empty()) {
      file = args[++i];
    } else if (haveNumber || !parseProfileNumber(args[i], number)) {
      return false;
    } else {
      haveNumber = true;
    }
  }
  return haveNumber && !file.empty();
}

void printSummary(std::ostream& out, const PROFILE_T& profile) {
  out << "profile " << static_cast<int>(profile.profileNumber) << " \""
      << std::string(profile.name, strnlen(profile.name, sizeof profile.name)) << "\"\n"
      << "enabled " << static_cast<int>(profile.enabled) << ", polling rate code "
      << static_cast<int>(profile.pollingRate) << ", lift-off distance "
      << static_cast<int>(profile.sensor.liftDistance) << "\n"
      << "dpi";
  for (const DPI_LEVEL_T& level : profile.sensor.levels) out << " " << level.x << "x" << level.y;
  out << "\nbuttons";
  for (int k = 0; k < kButtonCount; ++k) {
    const BUTTON_T& button = profile.buttons[k];
    char text[32];
    std::snprintf(text, sizeof text, " %02x:%02x", button.type, button.code);
    out << text;
    if (button.type == kMacroButtonType) out << "(" << button.macroLength << " events)";
  }
  out << "\n";
}

}  // namespace

int runSwitch(CommandContext& context) {
  uint8_t number = 0;
  if (context.args.size() != 1 || !parseProfileNumber(context.args[0], number)) {
    return usageError(context, "usage: veltctl switch N, N from 0 to 4");
  }
  if (!openMouse(context)) return kExitNoMouse;
  if (DeviceResult result = Set_current_profile_id(number); result != kResultSuccess) {
    return deviceFailed(context, "Set_current_profile_id " + std::to_string(number), result);
  }
  context.out << "profile " << static_cast<int>(number) << "\n";
  return kExitOk;
}

int runDump(CommandContext& context) {
  uint8_t number = 0;
  std::string file;
  if (!parseDumpArguments(context.args, number, file)) {
    return usageError(context, "usage: veltctl dump N -o FILE, N from 0 to 4");
  }
  if (!openMouse(context)) return kExitNoMouse;
  PROFILE_T profile;
  // The image as the mouse sent it, reserved bytes and all: what a bug report needs.
  std::vector<uint8_t> image(kProfileImageSize, 0);
  DeviceResult result =
      Read_profile(number, profile, ProfileImage(image.data(), kProfileImageSize));
  if (result == kResultEmptyProfile) {
    context.out << "profile " << static_cast<int>(number) << " is empty\n";
    return kExitOk;
  }
  if (result != kResultSuccess) {
    return deviceFailed(context, "Read_profile " + std::to_string(number), result);
  }
  const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  std::string writeError;
  if (!systemFileWriter().replaceFile(file, bytes, writeError)) {
    return badFile(context, file, "cannot write: " + writeError);
  }
  printSummary(context.out, profile);
  return kExitOk;
}

}  // namespace velt
