#include "device/hidraw_sysfs.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace velt {
namespace {

namespace fs = std::filesystem;

std::optional<unsigned> parseNumber(std::string_view text) {
  unsigned value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

fs::path hidrawDeviceDir(const std::string& node, const std::string& sysfs) {
  return fs::path(sysfs) / "class" / "hidraw" / fs::path(node).filename() / "device";
}

}  // namespace

std::optional<uint32_t> locationIdFromUsbName(std::string_view name) {
  const size_t dash = name.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  std::optional<unsigned> bus = parseNumber(name.substr(0, dash));
  if (!bus || *bus > 0xFF) return std::nullopt;
  uint32_t location = *bus << 24;
  std::string_view ports = name.substr(dash + 1);
  for (int shift = 20; shift >= 0; shift -= 4) {
    const size_t dot = ports.find('.');
    std::optional<unsigned> port = parseNumber(ports.substr(0, dot));
    if (!port) return std::nullopt;
    location |= std::min(*port, 15u) << shift;
    if (dot == std::string_view::npos) return location;
    ports = ports.substr(dot + 1);
  }
  return std::nullopt;
}

uint32_t hidrawLocationId(const std::string& node, const std::string& sysfs) {
  std::error_code error;
  const fs::path device = fs::canonical(hidrawDeviceDir(node, sysfs), error);
  if (error) return 0;
  // The HID device sits below its USB interface "BUS-PORTS:CONFIG.INTERFACE".
  for (fs::path dir = device; dir.has_relative_path(); dir = dir.parent_path()) {
    const std::string name = dir.filename().string();
    const size_t colon = name.find(':');
    if (colon == std::string::npos) continue;
    if (std::optional<uint32_t> location = locationIdFromUsbName(name.substr(0, colon))) {
      return *location;
    }
  }
  return 0;
}

std::optional<std::vector<uint8_t>> hidrawReportDescriptor(const std::string& node,
                                                           const std::string& sysfs) {
  std::ifstream file(hidrawDeviceDir(node, sysfs) / "report_descriptor", std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return bytes;
}

}  // namespace velt
