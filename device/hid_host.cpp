#include "device/hid_host.h"

#include <mutex>

#include "device/hidapi_host.h"

namespace velt {
namespace {

std::mutex& hostMutex() {
  static std::mutex m;
  return m;
}

std::unique_ptr<HidHost>& installedHost() {
  static std::unique_ptr<HidHost> host;
  return host;
}

}  // namespace

HidHost& hidHost() {
  std::lock_guard<std::mutex> lock(hostMutex());
  if (!installedHost()) installedHost() = makeHidapiHost();
  return *installedHost();
}

void setHidHost(std::unique_ptr<HidHost> host) {
  std::lock_guard<std::mutex> lock(hostMutex());
  installedHost() = std::move(host);
}

}  // namespace velt
