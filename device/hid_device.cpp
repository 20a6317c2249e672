#include "device/hid_device.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>

#include "base/log.h"
#include "device/mouse_lock.h"
#include "device/wire_log.h"

namespace velt {
namespace {

std::mutex gSlotMutex;
std::optional<HidDevice> gWBHIDDevice;

// Every HID interface on the host, ordered by location ID so that the mouse at the
// lowest attachment point wins. Interfaces at one location keep the host's order.
std::optional<std::vector<HidDeviceInfo>> HIDBuildDeviceList() {
  std::optional<std::vector<HidDeviceInfo>> devices = hidHost().enumerate();
  if (!devices) {
    logLine("IOHIDManagerOpen Error");
    std::fprintf(stderr, "%s: Couldn’t open IOHIDManager.\n", __func__);
    return std::nullopt;
  }
  std::stable_sort(
      devices->begin(), devices->end(),
      [](const HidDeviceInfo& a, const HidDeviceInfo& b) { return a.locationId < b.locationId; });
  return devices;
}

bool isVelt(const HidDeviceInfo& info) {
  return info.vendorId == kVeltVendorId &&
         (info.productId == kNormalProductId || info.productId == kBootloaderProductId);
}

std::optional<HidDevice> takeSlot() {
  std::lock_guard<std::mutex> lock(gSlotMutex);
  return std::exchange(gWBHIDDevice, std::nullopt);
}

bool storeInSlot(std::optional<HidDevice> device) {
  const bool found = device.has_value();
  std::optional<HidDevice> previous;
  {
    std::lock_guard<std::mutex> lock(gSlotMutex);
    previous = std::exchange(gWBHIDDevice, std::move(device));
  }
  if (previous) previous->connection->close();
  return found;
}

}  // namespace

bool isDiscoverable(const HidDeviceInfo& info, uint16_t productID) {
  return info.vendorId == kVeltVendorId && info.productId == productID &&
         info.carriesFeatureReports;
}

std::optional<HidDevice> FindDevice(uint16_t productID) {
  std::optional<HidDevice> found;
  if (std::optional<std::vector<HidDeviceInfo>> devices = HIDBuildDeviceList()) {
    auto wanted = std::find_if(devices->begin(), devices->end(), [&](const HidDeviceInfo& d) {
      return isDiscoverable(d, productID);
    });
    if (wanted != devices->end()) {
      logLine("find device");
      std::string error;
      if (std::unique_ptr<HidConnection> connection = hidHost().open(*wanted, error)) {
        found = HidDevice{*wanted, withWireLog(std::move(connection))};
      } else {
        // An attached mouse that cannot be opened must not pass for no mouse at all.
        std::fprintf(stderr, "%s\n",
                     error.empty() ? ("cannot open " + wanted->path).c_str() : error.c_str());
      }
    }
  }
  std::fflush(stdout);
  return found;
}

// Opening and closing wait for another thread's exchange to end, so that no command
// loses its device halfway.
bool Open_device() {
  const SlotHold slot;
  return storeInSlot(FindDevice(kNormalProductId));
}

bool Open_bl_device() {
  const SlotHold slot;
  return storeInSlot(FindDevice(kBootloaderProductId));
}

bool IsOpen() {
  std::lock_guard<std::mutex> lock(gSlotMutex);
  return gWBHIDDevice.has_value();
}

bool IsMakesureOpen() {
  const SlotHold slot;
  return IsOpen() || Open_device();
}

int Close_device() {
  const SlotHold slot;
  std::optional<HidDevice> device = takeSlot();
  return device ? device->connection->close() : 0;
}

std::optional<uint32_t> slotLocationId() {
  std::lock_guard<std::mutex> lock(gSlotMutex);
  if (!gWBHIDDevice) return std::nullopt;
  return gWBHIDDevice->info.locationId;
}

bool SetFeature(const uint8_t* buffer, size_t length) {
  const MouseLock exchange;
  std::lock_guard<std::mutex> lock(gSlotMutex);
  return gWBHIDDevice && gWBHIDDevice->connection->setFeatureReport(buffer, length) == 0;
}

bool GetFeature(uint8_t* buffer, size_t& length) {
  const MouseLock exchange;
  std::lock_guard<std::mutex> lock(gSlotMutex);
  return gWBHIDDevice && gWBHIDDevice->connection->getFeatureReport(buffer, length) == 0;
}

std::optional<std::vector<HidDeviceInfo>> listVeltInterfaces() {
  std::optional<std::vector<HidDeviceInfo>> devices = HIDBuildDeviceList();
  if (devices) std::erase_if(*devices, [](const HidDeviceInfo& d) { return !isVelt(d); });
  return devices;
}

bool isMouseAttached(uint16_t productID) {
  const std::optional<std::vector<HidDeviceInfo>> attached = listVeltInterfaces();
  return attached && std::any_of(attached->begin(), attached->end(), [&](const HidDeviceInfo& d) {
           return isDiscoverable(d, productID);
         });
}

}  // namespace velt
