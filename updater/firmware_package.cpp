#include "updater/firmware_package.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "base/file_read.h"
#include "base/log.h"
#include "updater/sha256.h"

namespace velt {
namespace {

constexpr size_t kMaxFirmwareBytes = size_t{kFirmwareBufferBlocks} * kDataBlockSize;

// The dictionary as one line, keys in order: "{ Name = VELT_fw; Version = 47; }".
std::string describe(const TextDict& dict) {
  const std::map<std::string, std::string> sorted(dict.begin(), dict.end());
  std::string text = "{";
  for (const auto& [key, value] : sorted) text += " " + key + " = " + value + ";";
  return text + " }";
}

// A whole decimal number within 32 bits: what an integer "Version" reads as.
bool parseVersion(const std::string& text, int32_t& version) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, version);
  return !text.empty() && error == std::errc() && stop == end;
}

// The mouse reports its version in 16 bits, and 0 is what a failed read gives: a
// package outside 1..65535 could never be seen installed.
bool reportableVersion(int32_t version) {
  return version >= 1 && version <= std::numeric_limits<uint16_t>::max();
}

// A name that stays inside the package folder once ".bin" is appended.
bool isPlainName(const std::string& name) {
  return !name.empty() && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
         name.find("..") == std::string::npos;
}

bool parseDigest(const std::string& hex, std::string& lowercase) {
  if (hex.size() != 64) return false;
  lowercase.clear();
  for (char c : hex) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    lowercase += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return true;
}

bool refuse(std::string& problem, std::string text) {
  problem = std::move(text);
  return false;
}

// The configuration's values into `package`; false with the reason.
bool takeConfig(const TextDict& config, FirmwarePackage& package, std::string& problem) {
  auto version = config.find("Version");
  if (version == config.end() || !parseVersion(version->second, package.m_nFileVersion)) {
    return refuse(problem, "fwconfig.plist has no whole-number \"Version\"");
  }
  logf("%d", package.m_nFileVersion);
  if (!reportableVersion(package.m_nFileVersion)) {
    return refuse(problem, "\"Version\" " + std::to_string(package.m_nFileVersion) +
                               " in fwconfig.plist is outside 1..65535, what the mouse reports");
  }
  auto name = config.find("Name");
  if (name == config.end() || name->second.empty()) {
    return refuse(problem, "fwconfig.plist has no \"Name\"");
  }
  package.m_strFWFileName = name->second;
  logLine(package.m_strFWFileName);
  if (!isPlainName(package.m_strFWFileName)) {
    return refuse(
        problem, "the firmware name \"" + package.m_strFWFileName + "\" leaves the package folder");
  }
  return true;
}

}  // namespace

bool readConfig_plist(const std::string& folder, TextDict& config) {
  FileReadError error;
  return readConfig_plist(folder, config, error);
}

bool readConfig_plist(const std::string& folder, TextDict& config, FileReadError& error) {
  const std::string path = folder + "/" + kPackageConfigFile;
  if (!readTextDict(path, config, error)) return false;
  logLine(path);
  logLine(describe(config));
  return true;
}

int ReadBinFile(const std::string& folder, FirmwarePackage& package, std::string& problem) {
  TextDict config;
  FileReadError error;
  if (!readConfig_plist(folder, config, error)) {
    problem = error.problem == FileProblem::kMissing
                  ? std::string("there is no package here: no ") + kPackageConfigFile
                  : std::string("cannot read ") + kPackageConfigFile + ": " + error.reason;
    return 0;
  }
  if (!takeConfig(config, package, problem)) return 0;
  // Problems name the files inside the package; the caller names the folder.
  const std::string file = package.m_strFWFileName + kFirmwareFileSuffix;
  const std::string path = folder + "/" + file;
  FileReadError readError;
  const std::optional<std::string> read = readBoundedFile(path, kMaxFirmwareBytes, readError);
  if (!read) {
    if (readError.problem == FileProblem::kTooLarge) {
      problem = "the firmware file " + file + " is larger than " +
                std::to_string(kFirmwareBufferBlocks) + " blocks of 1024 bytes";
      return 0;
    }
    logLine("Firmware file is not exist");
    problem = "cannot read the firmware file " + file;
    return 0;
  }
  const std::vector<uint8_t> bytes(read->begin(), read->end());
  logLine("Firmware file open success");
  logf("firmware file length %d", static_cast<int>(bytes.size()));
  // Nothing to send: the bootloader would be started and completed over no block.
  if (bytes.empty()) {
    problem = "the firmware file " + file + " is empty";
    return 0;
  }
  if (auto digest = config.find("SHA256"); digest != config.end()) {
    std::string wanted;
    if (!parseDigest(digest->second, wanted)) {
      problem = "\"SHA256\" in fwconfig.plist is not 64 hex digits";
      return 0;
    }
    if (sha256Hex(bytes) != wanted) {
      problem = "the firmware file " + file + " does not match its \"SHA256\"";
      return 0;
    }
  }
  package.total_block_number =
      static_cast<uint32_t>((bytes.size() + kDataBlockSize - 1) / kDataBlockSize);
  for (uint32_t block = 0; block < package.total_block_number; ++block) {
    std::array<uint8_t, kDataBlockSize>& target = package.fw_data_block[block];
    target.fill(0);
    const size_t start = size_t{block} * kDataBlockSize;
    const size_t length = std::min(kDataBlockSize, bytes.size() - start);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(start), length, target.begin());
  }
  return 1;
}

std::string installedPackageFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "share/velt/firmware";
  return (program.parent_path().parent_path() / "share" / "velt" / "firmware").string();
}

}  // namespace velt
