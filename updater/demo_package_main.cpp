// velt_demo_package FOLDER: writes the demo firmware package for the emulated mouse.
#include <cstdio>
#include <string>

#include "updater/demo_package.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velt_demo_package FOLDER\n");
    return 2;
  }
  std::string error;
  if (!velt::writeFirmwarePackage(
          argv[1], velt::kDemoFirmwareVersion, velt::kDemoFirmwareName,
          velt::emulatedFirmwareImage(velt::kDemoFirmwareVersion, velt::kDemoFirmwareBytes), true,
          error)) {
    std::fprintf(stderr, "velt_demo_package: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
