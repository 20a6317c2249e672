#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "device/hid_device.h"
#include "device/hidapi_host.h"
#include "device/hidraw_sysfs.h"
#include "device/report_descriptor.h"

namespace velt {
namespace {

namespace fs = std::filesystem;

// This machine has no mouse attached: the real backend must say so without harm.
TEST(HidapiHost, OpenDeviceWithoutMouseAnswersFalse) {
  setHidHost(nullptr);
  EXPECT_FALSE(Open_device());
  EXPECT_FALSE(IsOpen());
  EXPECT_FALSE(Open_bl_device());
  EXPECT_EQ(Close_device(), 0);
}

TEST(HidapiHost, OpenFailureNamesTheNode) {
  HidDeviceInfo missing;
  missing.path = "/dev/velt-test-missing-node";
  std::string error;
  EXPECT_EQ(makeHidapiHost()->open(missing, error), nullptr);
  EXPECT_NE(error.find(missing.path), std::string::npos) << error;
}

TEST(HidapiHost, NodeClosedToTheUserPointsToTheUdevRule) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may open any node";
  const fs::path node = fs::temp_directory_path() / ("velt-hidraw-" + std::to_string(::getpid()));
  std::ofstream(node).put('\0');
  fs::permissions(node, fs::perms::none);
  HidDeviceInfo closed;
  closed.path = node;
  std::string error;
  EXPECT_EQ(makeHidapiHost()->open(closed, error), nullptr);
  fs::remove(node);
  EXPECT_NE(error.find(node.string()), std::string::npos) << error;
  EXPECT_NE(error.find("packaging/70-velt.rules"), std::string::npos) << error;
}

struct LocationCase {
  const char* name;
  std::optional<uint32_t> location;
};

TEST(HidrawSysfs, LocationIdFromUsbName) {
  const LocationCase cases[] = {
      {"1-2", 0x01200000},
      {"1-2.3", 0x01230000},
      {"3-1.4.2", 0x03142000},
      {"1-1.1.1.1.1.1", 0x01111111},
      {"2-20", 0x02F00000},
      {"1-2:1.0", std::nullopt},
      {"usb1", std::nullopt},
      {"1-", std::nullopt},
      {"1-2..3", std::nullopt},
      {"256-1", std::nullopt},
      {"1-1.1.1.1.1.1.1", std::nullopt},
  };
  for (const LocationCase& c : cases) {
    EXPECT_EQ(locationIdFromUsbName(c.name), c.location) << c.name;
  }
  // Physical order: a port on bus 1 comes before any port on bus 2, a hub's port 1
  // before its port 2.
  EXPECT_LT(*locationIdFromUsbName("1-4.7"), *locationIdFromUsbName("2-1"));
  EXPECT_LT(*locationIdFromUsbName("1-4.1"), *locationIdFromUsbName("1-4.2"));
}

class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("velt-sysfs-" + std::to_string(::getpid()));
    fs::remove_all(root);
  }
  void TearDown() override { fs::remove_all(root); }

  // Lays out a hidraw node below `devicePath` the way the kernel links it.
  void addHidraw(const std::string& node, const std::string& devicePath,
                 const std::vector<uint8_t>& descriptor) {
    const fs::path device = root / devicePath;
    fs::create_directories(device);
    std::ofstream(device / "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()),
               static_cast<std::streamsize>(descriptor.size()));
    const fs::path classDir = root / "class" / "hidraw" / node;
    fs::create_directories(classDir);
    fs::create_directory_symlink(device, classDir / "device");
  }
  fs::path root;
};

TEST_F(FakeSysfs, LocationAndDescriptorOfAHidrawNode) {
  const std::vector<uint8_t> descriptor = {0x06, 0x00, 0xFF, 0x85, 0x03, 0xB1, 0x02};
  addHidraw("hidraw3",
            "devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2.3/1-2.3:1.1/0003:22D4:1301.0005",
            descriptor);
  addHidraw("hidraw4", "devices/platform/i2c-1/0018:04F3:3070.0001", {});
  EXPECT_EQ(hidrawLocationId("/dev/hidraw3", root), 0x01230000u);
  EXPECT_EQ(hidrawLocationId("/dev/hidraw4", root), 0u);
  EXPECT_EQ(hidrawLocationId("/dev/hidraw7", root), 0u);
  EXPECT_EQ(hidrawReportDescriptor("/dev/hidraw3", root), descriptor);
  EXPECT_FALSE(hidrawReportDescriptor("/dev/hidraw7", root));
}

struct DescriptorCase {
  const char* name;
  std::vector<uint8_t> descriptor;
  uint8_t reportId;
  bool declares;
};

TEST(ReportDescriptor, FindsFeatureItemsByReportId) {
  const DescriptorCase cases[] = {
      {"feature under id 3", {0x85, 0x03, 0x75, 0x08, 0xB1, 0x02}, 3, true},
      {"input under id 3 only", {0x85, 0x03, 0x81, 0x02}, 3, false},
      {"feature under another id", {0x85, 0x04, 0xB1, 0x02}, 3, false},
      {"feature with no data bytes", {0x85, 0x20, 0xB0}, 0x20, true},
      {"feature without report ids", {0x06, 0x00, 0xFF, 0xB1, 0x02}, 0, true},
      {"id set after the feature", {0xB1, 0x02, 0x85, 0x03}, 3, false},
      {"four-byte item skipped whole", {0x27, 0x85, 0x03, 0xB1, 0x02, 0xB1, 0x02}, 3, false},
      {"long item skipped", {0xFE, 0x02, 0x00, 0x85, 0x03, 0x85, 0x03, 0xB1, 0x00}, 3, true},
      {"pop restores pushed id", {0x85, 0x05, 0xA4, 0x85, 0x03, 0xB4, 0xB1, 0x02}, 3, false},
      {"truncated id item", {0x85}, 0, false},
      {"truncated long item", {0xFE}, 0, false},
      {"long item running past the end", {0xFE, 0x40, 0x00, 0xB1}, 0, false},
      {"empty", {}, 0, false},
  };
  for (const DescriptorCase& c : cases) {
    EXPECT_EQ(declaresFeatureReport(c.descriptor, c.reportId), c.declares) << c.name;
  }
}

HidDeviceInfo interfaceOf(uint16_t product, uint32_t location, int number, std::string path) {
  HidDeviceInfo info;
  info.vendorId = 0x22D4;
  info.productId = product;
  info.locationId = location;
  info.interfaceNumber = number;
  info.path = std::move(path);
  return info;
}

TEST(ReportDescriptor, FeatureInterfaceOfEachDevice) {
  const std::map<std::string, std::vector<uint8_t>> descriptors = {
      {"mouse-if0", {0x05, 0x01, 0x09, 0x02, 0x81, 0x02}},  // boot mouse, inputs only
      {"mouse-if1", {0x06, 0x00, 0xFF, 0x85, 0x03, 0xB1, 0x02}},
      {"bl-if0", {0x85, 0x20, 0xB1, 0x02}},
      {"plain-if0", {0x81, 0x02}},
      {"plain-if1", {0x81, 0x02}},
  };
  std::vector<HidDeviceInfo> devices = {
      interfaceOf(0x1301, 1, 0, "mouse-if0"),      interfaceOf(0x1301, 1, 1, "mouse-if1"),
      interfaceOf(0x1303, 2, 0, "bl-if0"),         interfaceOf(0x1301, 3, 1, "plain-if1"),
      interfaceOf(0x1301, 3, 0, "plain-if0"),      interfaceOf(0x1301, 4, 2, "unreadable-if2"),
      interfaceOf(0x1301, 4, 1, "unreadable-if1"),
  };
  markFeatureInterfaces(devices, [&](const std::string& path) {
    auto it = descriptors.find(path);
    return it == descriptors.end() ? std::nullopt : std::optional<std::vector<uint8_t>>(it->second);
  });
  std::vector<std::string> chosen;
  for (const HidDeviceInfo& d : devices) {
    if (d.carriesFeatureReports) chosen.push_back(d.path);
  }
  EXPECT_EQ(chosen,
            (std::vector<std::string>{"mouse-if1", "bl-if0", "plain-if0", "unreadable-if1"}));
}

}  // namespace
}  // namespace velt
