#include "updater/demo_package.h"

#include <filesystem>
#include <fstream>

#include "updater/firmware_package.h"
#include "updater/sha256.h"

namespace velt {
namespace {

bool writeBytes(const std::filesystem::path& path, const std::string& bytes, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) error = "cannot write " + path.string();
  return static_cast<bool>(out);
}

}  // namespace

bool writeFirmwarePackage(const std::string& folder, int32_t version, const std::string& name,
                          const std::vector<uint8_t>& image, bool withDigest, std::string& error) {
  std::error_code created;
  std::filesystem::create_directories(folder, created);
  std::string config =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
      "<plist version=\"1.0\">\n<dict>\n"
      "\t<key>Name</key>\n\t<string>" +
      name + "</string>\n\t<key>Version</key>\n\t<integer>" + std::to_string(version) +
      "</integer>\n";
  if (withDigest) config += "\t<key>SHA256</key>\n\t<string>" + sha256Hex(image) + "</string>\n";
  config += "</dict>\n</plist>\n";
  const std::filesystem::path base(folder);
  return writeBytes(base / kPackageConfigFile, config, error) &&
         writeBytes(base / (name + kFirmwareFileSuffix), std::string(image.begin(), image.end()),
                    error);
}

std::vector<uint8_t> emulatedFirmwareImage(uint16_t version, size_t length) {
  std::vector<uint8_t> image(length);
  for (size_t i = 0; i < length; ++i) image[i] = static_cast<uint8_t>((i * 131 + 7) % 251);
  const uint8_t marker[] = {'V',
                            'E',
                            'L',
                            'T',
                            'F',
                            'W',
                            static_cast<uint8_t>(version),
                            static_cast<uint8_t>(version >> 8)};
  for (size_t i = 0; i < sizeof marker && 16 + i < length; ++i) image[16 + i] = marker[i];
  return image;
}

}  // namespace velt
