#include "device/hidapi_host.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "device/hidraw_sysfs.h"
#include "device/report_descriptor.h"

namespace velt {
namespace {

class HidapiConnection : public HidConnection {
 public:
  explicit HidapiConnection(hid_device* device) : device_(device) {}
  ~HidapiConnection() override { close(); }

  int setFeatureReport(const uint8_t* data, size_t length) override {
    if (!device_) return -1;
    return hid_send_feature_report(device_, data, length) < 0 ? -1 : 0;
  }

  int getFeatureReport(uint8_t* data, size_t& length) override {
    if (!device_) return -1;
    const int received = hid_get_feature_report(device_, data, length);
    if (received < 0) return -1;
    length = std::min(static_cast<size_t>(received), length);
    return 0;
  }

  int close() override {
    if (device_) hid_close(device_);
    device_ = nullptr;
    return 0;
  }

 private:
  hid_device* device_;
};

class HidapiHost : public HidHost {
 public:
  std::optional<std::vector<HidDeviceInfo>> enumerate() override {
    if (!initialised()) return std::nullopt;
    std::vector<HidDeviceInfo> devices;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* d = list; d; d = d->next) {
      HidDeviceInfo info;
      info.vendorId = d->vendor_id;
      info.productId = d->product_id;
      info.path = d->path ? d->path : "";
      info.locationId = hidrawLocationId(info.path);
      info.interfaceNumber = d->interface_number;
      devices.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    markFeatureInterfaces(devices,
                          [](const std::string& node) { return hidrawReportDescriptor(node); });
    return devices;
  }

  std::unique_ptr<HidConnection> open(const HidDeviceInfo& device, std::string& error) override {
    if (::access(device.path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
      error = "cannot open " + device.path +
              ": permission denied; install the VELT package, or for a build from source "
              "packaging/70-velt.rules into /etc/udev/rules.d, and plug the mouse in again";
      return nullptr;
    }
    if (!initialised()) {
      error = "cannot open " + device.path + ": hidapi could not be initialised";
      return nullptr;
    }
    hid_device* handle = hid_open_path(device.path.c_str());
    if (!handle) {
      error = "cannot open " + device.path + ": " + std::strerror(errno);
      return nullptr;
    }
    return std::make_unique<HidapiConnection>(handle);
  }

 private:
  static bool initialised() {
    static const bool ok = hid_init() == 0;
    return ok;
  }
};

}  // namespace

std::unique_ptr<HidHost> makeHidapiHost() {
  return std::make_unique<HidapiHost>();
}

}  // namespace velt
