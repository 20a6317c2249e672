#include "cli/commands.h"

namespace velt {

std::span<const Command> commandTable() {
  static const Command table[] = {
      {"devices", "", "list the VELT mice found, normal or bootloader mode", &runDevices},
      {"info", "", "firmware version and current profile", &runInfo},
      {"switch", "N", "make profile N (0..4) the current profile", &runSwitch},
      {"dump", "N -o FILE", "read profile N into FILE (2048 bytes) and summarise it", &runDump},
      {"lod", "test|save D", "lift-off distance test or save, D from 6 to 31", &runLod},
      {"surface", "", "analyse the surface (about 11 seconds)", &runSurface},
      {"image", "PLIST --slot N -o FILE", "build the 2048-byte image of a profile file", &runImage},
      {"apply", "[--profiles DIR] [--current N]", "write the five profile files to the mouse",
       &runApply},
      {"update", "[--package DIR] [--yes]",
       "update the mouse's firmware from a package (asks first unless --yes)", &runUpdate},
  };
  return table;
}

}  // namespace velt
