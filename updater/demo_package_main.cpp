// velt_demo_package FOLDER [VERSION [BYTES]]: writes a firmware package for the emulated
// mouse; by default the demo package (0.47, 40 blocks). The update soak makes its
// packages with it.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "updater/demo_package.h"
#include "updater/firmware_package.h"

namespace {

bool parse(const char* text, long min, long max, long& value) {
  const char* end = text + std::strlen(text);
  auto [stop, error] = std::from_chars(text, end, value);
  return stop != text && stop == end && error == std::errc() && value >= min && value <= max;
}

}  // namespace

int main(int argc, char** argv) {
  long version = velt::kDemoFirmwareVersion;
  long bytes = static_cast<long>(velt::kDemoFirmwareBytes);
  constexpr long kMaxBytes = long{velt::kFirmwareBufferBlocks} * 1024;
  constexpr long kMinBytes = 24;  // room for the version marker at 16
  if (argc < 2 || argc > 4 || (argc > 2 && !parse(argv[2], 1, 65535, version)) ||
      (argc > 3 && !parse(argv[3], kMinBytes, kMaxBytes, bytes))) {
    std::fprintf(stderr, "usage: velt_demo_package FOLDER [VERSION [BYTES]]\n");
    return 2;
  }
  const auto v = static_cast<uint16_t>(version);
  const std::string name =
      argc > 2 ? "VELT_emulated_" + std::to_string(v) : velt::kDemoFirmwareName;
  std::string error;
  if (!velt::writeFirmwarePackage(argv[1], v, name,
                                  velt::emulatedFirmwareImage(v, static_cast<size_t>(bytes)), true,
                                  error)) {
    std::fprintf(stderr, "velt_demo_package: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
