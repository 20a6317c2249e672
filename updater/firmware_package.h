#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "device/commands.h"
#include "model/plist_file.h"

namespace velt {

// The firmware buffer holds at most this many 1024-byte blocks; a larger firmware file
// is refused.
inline constexpr uint32_t kFirmwareBufferBlocks = 120;

// A firmware package is a folder with "fwconfig.plist" ("Version": the firmware version
// in hundredths; "Name": the firmware file's name without ".bin"; optionally "SHA256":
// the file's digest as hex) and "<Name>.bin", the raw image sent block by block.
inline constexpr const char* kPackageConfigFile = "fwconfig.plist";
inline constexpr const char* kFirmwareFileSuffix = ".bin";

struct FirmwarePackage {
  int32_t m_nFileVersion = 0;
  std::string m_strFWFileName;
  uint32_t total_block_number = 0;
  // The image block after block; the last block is padded with zero bytes.
  std::array<std::array<uint8_t, kDataBlockSize>, kFirmwareBufferBlocks> fw_data_block{};
};

// Loads "fwconfig.plist" of the package folder; true if the dictionary loaded. Logs
// its path and content.
bool readConfig_plist(const std::string& folder, TextDict& config);
bool readConfig_plist(const std::string& folder, TextDict& config, FileReadError& error);

// Reads and checks the whole package into `package`: 1, or 0 with what is wrong in
// `problem` (one line for the user, naming the files inside the folder, not the
// folder). Nothing of a refused package is to be sent: an empty firmware file and a
// "Version" the mouse cannot report (outside 1..65535) are refused too.
int ReadBinFile(const std::string& folder, FirmwarePackage& package, std::string& problem);

// The package folder beside an installed program: <prefix>/share/velt/firmware for a
// program in <prefix>/bin.
std::string installedPackageFolder();

}  // namespace velt
