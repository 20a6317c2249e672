// A mouse that is attached but that this user may not open (no udev rule): VELTPLUS says
// so, with what to do, at start and at an apply, rather than passing it off as no mouse.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/profile_apply.h"
#include "tests/config_app/config_app_test_support.h"

namespace velt::test {
namespace {

// A host listing the given interfaces, none of which may be opened.
class NoAccessHost : public HidHost {
 public:
  explicit NoAccessHost(std::vector<HidDeviceInfo> devices) : devices_(std::move(devices)) {}
  std::optional<std::vector<HidDeviceInfo>> enumerate() override { return devices_; }
  std::unique_ptr<HidConnection> open(const HidDeviceInfo& device, std::string& error) override {
    error = "cannot open " + device.path + ": permission denied";
    return nullptr;
  }

 private:
  std::vector<HidDeviceInfo> devices_;
};

HidDeviceInfo veltInterface(uint16_t productId, bool carriesFeatureReports = true) {
  return {kVeltVendorId, productId, 0x00100000, "/dev/hidraw3", 1, carriesFeatureReports};
}

using MouseAccess = MainViewFixture;

TEST_F(MouseAccess, AnAttachedMouseThatCannotBeOpenedIsToldAtStartAndAtAnApply) {
  const struct {
    const char* what;
    std::vector<HidDeviceInfo> attached;
    bool toldNoAccess;
  } cases[] = {
      {"nothing attached", {}, false},
      {"the mouse, not ours to open", {veltInterface(kNormalProductId)}, true},
      {"only an interface without the feature reports",
       {veltInterface(kNormalProductId, false)},
       false},
      {"the mouse in its bootloader", {veltInterface(kBootloaderProductId)}, false},
      {"another vendor's device", {{0x046D, kNormalProductId, 1, "/dev/hidraw1", 0, true}}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Close_device();
    setHidHost(std::make_unique<NoAccessHost>(c.attached));
    ui->calls.clear();
    VELTView& v = start();
    EXPECT_EQ(v.supportView().firmwareVersion().getCurText().value_or(""), "-.--");

    v.reportStartupProblems();
    v.reportStartupProblems();  // said once
    const std::vector<std::string> atStart = c.toldNoAccess
                                                 ? std::vector<std::string>{kMouseNoAccessMessage}
                                                 : std::vector<std::string>{};
    EXPECT_EQ(alerts(), atStart);

    ui->calls.clear();
    click(v.applyButton());
    for (int p = 1; p <= 5; ++p) EXPECT_TRUE(std::filesystem::exists(profileFile(p))) << p;
    EXPECT_EQ(alerts(), std::vector<std::string>{c.toldNoAccess ? kMouseNoAccessMessage
                                                                : kMouseNotFoundMessage});
    window->setContentView(nullptr);
    window.reset();
    view.reset();
  }
}

}  // namespace
}  // namespace velt::test
