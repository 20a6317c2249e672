#include <algorithm>
#include <chrono>
#include <string>

#include "base/clock.h"
#include "base/surface_analysis.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "device/commands.h"
#include "device/surface_level.h"

namespace velt {

int runLod(CommandContext& context) {
  long distance = 0;
  if (context.args.size() != 2 || (context.args[0] != "test" && context.args[0] != "save") ||
      !parseNumber(context.args[1], 0, 255, distance)) {
    return usageError(
        context, "usage: veltctl lod test|save D, D from " + std::to_string(kMinLiftDistance) +
                     " to " + std::to_string(kMaxLiftDistance) + " (0 to 255 clamped into it)");
  }
  // Distances the mouse does not take are clamped into its range.
  distance = std::clamp<long>(distance, kMinLiftDistance, kMaxLiftDistance);
  if (!openMouse(context)) return kExitNoMouse;
  const bool test = context.args[0] == "test";
  const uint8_t value = static_cast<uint8_t>(distance);
  if (DeviceResult result = test ? Test_LOD(value) : Save_LOD(value); result != kResultSuccess) {
    return deviceFailed(context, test ? "Test_LOD" : "Save_LOD", result);
  }
  context.out << (test ? "lift-off test" : "lift-off distance saved") << " at " << distance << "\n";
  return kExitOk;
}

int runSurface(CommandContext& context) {
  if (!context.args.empty()) return usageError(context, "surface takes no arguments");
  if (!openMouse(context)) return kExitNoMouse;
  if (DeviceResult result = Start_surface_analyzer(); result != kResultSuccess) {
    return deviceFailed(context, "Start_surface_analyzer", result);
  }
  context.out << "analysing the surface, keep the mouse still:";
  for (int left = kSurfaceAnalysisSeconds; left > 0; --left) {
    context.out << " " << left << std::flush;
    clock().sleepFor(std::chrono::seconds(1));
  }
  context.out << "\n";
  uint8_t value = 0;
  if (DeviceResult result = Get_surface_analyzer_result(value); result != kResultSuccess) {
    return deviceFailed(context, "Get_surface_analyzer_result", result);
  }
  context.out << "surface value " << static_cast<int>(value) << ", level " << surfaceLevel(value)
              << " of 10\n";
  return kExitOk;
}

}  // namespace velt
