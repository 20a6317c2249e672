#include "device/report_descriptor.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "device/transfer.h"

namespace velt {
namespace {

// Short item prefix: bits 0..1 data size (3 means 4 bytes), bits 2..3 type
// (0 main, 1 global, 2 local), bits 4..7 tag. 0xFE opens a long item whose size
// is the next byte.
constexpr uint8_t kLongItem = 0xFE;
constexpr uint8_t kFeatureItem = 0xB0;   // main, tag 0xB
constexpr uint8_t kReportIdItem = 0x84;  // global, tag 0x8
constexpr uint8_t kPushItem = 0xA4;      // global, tag 0xA
constexpr uint8_t kPopItem = 0xB4;       // global, tag 0xB
constexpr uint8_t kBootloaderControlReportId = 0x20;

}  // namespace

bool declaresFeatureReport(std::span<const uint8_t> descriptor, uint8_t reportId) {
  uint8_t current = 0;
  std::vector<uint8_t> pushed;
  size_t i = 0;
  while (i < descriptor.size()) {
    const uint8_t prefix = descriptor[i];
    if (prefix == kLongItem) {
      if (i + 1 >= descriptor.size()) break;
      i += 3 + descriptor[i + 1];
      continue;
    }
    const size_t size = (prefix & 3) == 3 ? 4 : prefix & 3;
    if (i + 1 + size > descriptor.size()) break;
    const uint8_t item = prefix & 0xFC;
    if (item == kReportIdItem && size >= 1) current = descriptor[i + 1];
    if (item == kPushItem) pushed.push_back(current);
    if (item == kPopItem && !pushed.empty()) {
      current = pushed.back();
      pushed.pop_back();
    }
    if (item == kFeatureItem && current == reportId) return true;
    i += 1 + size;
  }
  return false;
}

void markFeatureInterfaces(std::vector<HidDeviceInfo>& devices,
                           const DescriptorReader& descriptorOf) {
  using Key = std::tuple<uint16_t, uint16_t, uint32_t>;
  std::map<Key, std::vector<HidDeviceInfo*>> byDevice;
  for (HidDeviceInfo& d : devices) {
    std::optional<std::vector<uint8_t>> descriptor = descriptorOf(d.path);
    d.carriesFeatureReports =
        descriptor && (declaresFeatureReport(*descriptor, kCommandReportId) ||
                       declaresFeatureReport(*descriptor, kBootloaderControlReportId));
    byDevice[{d.vendorId, d.productId, d.locationId}].push_back(&d);
  }
  for (auto& [key, interfaces] : byDevice) {
    if (std::any_of(interfaces.begin(), interfaces.end(),
                    [](const HidDeviceInfo* d) { return d->carriesFeatureReports; })) {
      continue;
    }
    auto lowest = std::min_element(interfaces.begin(), interfaces.end(),
                                   [](const HidDeviceInfo* a, const HidDeviceInfo* b) {
                                     return a->interfaceNumber < b->interfaceNumber;
                                   });
    (*lowest)->carriesFeatureReports = true;
  }
}

}  // namespace velt
