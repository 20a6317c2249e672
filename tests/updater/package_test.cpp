#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_folder.h"
#include "updater/demo_package.h"
#include "updater/firmware_package.h"
#include "updater/sha256.h"

namespace velt {
namespace {

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string config(const std::string& entries) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" + entries +
         "</dict>\n</plist>\n";
}

class PackageTest : public ::testing::Test {
 protected:
  int read() { return ReadBinFile(dir.path(), *package, problem); }
  void writeImage(size_t length) {
    std::string error;
    ASSERT_TRUE(writeFirmwarePackage(dir.path(), 47, "fw", emulatedFirmwareImage(47, length), false,
                                     error));
  }

  test::TempFolder dir;
  std::unique_ptr<FirmwarePackage> package = std::make_unique<FirmwarePackage>();
  std::string problem;
};

TEST(Sha256, KnownDigests) {
  const std::string abc = "abc";
  EXPECT_EQ(sha256Hex({reinterpret_cast<const uint8_t*>(abc.data()), abc.size()}),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256Hex({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  // 56 bytes: the length no longer fits the first padding chunk.
  const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  EXPECT_EQ(sha256Hex({reinterpret_cast<const uint8_t*>(two.data()), two.size()}),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST_F(PackageTest, BlockCountsAndZeroPadding) {
  const struct {
    size_t bytes;
    uint32_t blocks;
  } cases[] = {{1, 1}, {2048, 2}, {2049, 3}, {120 * 1024, 120}};
  for (const auto& c : cases) {
    writeImage(c.bytes);
    package = std::make_unique<FirmwarePackage>();
    ASSERT_EQ(read(), 1) << c.bytes << ": " << problem;
    EXPECT_EQ(package->m_nFileVersion, 47);
    EXPECT_EQ(package->m_strFWFileName, "fw");
    EXPECT_EQ(package->total_block_number, c.blocks) << c.bytes;
  }
  writeImage(2049);
  ASSERT_EQ(read(), 1);
  const std::vector<uint8_t> image = emulatedFirmwareImage(47, 2049);
  EXPECT_EQ(package->fw_data_block[1][1023], image[2047]);
  EXPECT_EQ(package->fw_data_block[2][0], image[2048]);
  EXPECT_TRUE(std::all_of(package->fw_data_block[2].begin() + 1, package->fw_data_block[2].end(),
                          [](uint8_t b) { return b == 0; }));
}

TEST_F(PackageTest, AFileOfMoreThan120BlocksIsRefused) {
  writeImage(120 * 1024 + 1);
  EXPECT_EQ(read(), 0);
  EXPECT_NE(problem.find("larger than 120 blocks"), std::string::npos) << problem;
}

TEST_F(PackageTest, ADigestMustMatchTheFirmwareFile) {
  std::string error;
  const std::vector<uint8_t> image = emulatedFirmwareImage(47, 3000);
  ASSERT_TRUE(writeFirmwarePackage(dir.path(), 47, "fw", image, true, error));
  EXPECT_EQ(read(), 1) << problem;
  // The same digest in capitals reads too.
  const std::string digest = sha256Hex(image);
  std::string upper = digest;
  std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
  const std::string named =
      "<key>Version</key><integer>47</integer><key>Name</key><string>fw</string>";
  writeText(dir.path() + "/fwconfig.plist",
            config(named + "<key>SHA256</key><string>" + upper + "</string>"));
  EXPECT_EQ(read(), 1) << problem;
  // One byte changed after the digest was taken.
  std::vector<uint8_t> changed = image;
  changed[2999] ^= 1;
  writeText(dir.path() + "/fw.bin", std::string(changed.begin(), changed.end()));
  EXPECT_EQ(read(), 0);
  EXPECT_NE(problem.find("does not match"), std::string::npos) << problem;
}

TEST_F(PackageTest, BrokenPackagesAreRefusedWithTheReason) {
  const std::string version = "<key>Version</key><integer>47</integer>";
  const std::string name = "<key>Name</key><string>fw</string>";
  const struct {
    const char* what;
    std::string config;  // empty: no fwconfig.plist at all
    const char* problem;
  } cases[] = {
      {"no config", "", "there is no package here: no fwconfig.plist"},
      {"not a plist", "garbage", "cannot read fwconfig.plist: "},
      {"no version", config(name), "\"Version\""},
      {"text version", config(name + "<key>Version</key><string>new</string>"), "\"Version\""},
      {"real version", config(name + "<key>Version</key><real>0.47</real>"), "\"Version\""},
      {"no name", config(version), "\"Name\""},
      {"empty name", config(version + "<key>Name</key><string></string>"), "\"Name\""},
      {"name with a separator", config(version + "<key>Name</key><string>../fw</string>"),
       "leaves the package folder"},
      {"name going up", config(version + "<key>Name</key><string>..</string>"),
       "leaves the package folder"},
      {"missing firmware file", config(version + "<key>Name</key><string>other</string>"),
       "cannot read the firmware file"},
      {"short digest", config(version + name + "<key>SHA256</key><string>abcd</string>"),
       "64 hex digits"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(dir.path());
    writeImage(2048);
    if (c.config.empty()) {
      std::filesystem::remove(dir.path() + "/fwconfig.plist");
    } else {
      writeText(dir.path() + "/fwconfig.plist", c.config);
    }
    problem.clear();
    EXPECT_EQ(read(), 0) << c.what;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
  }
}

TEST_F(PackageTest, TheFirmwareFileMustBeARegularFile) {
  writeImage(10);
  std::filesystem::remove(dir.path() + "/fw.bin");
  std::filesystem::create_directory(dir.path() + "/fw.bin");
  EXPECT_EQ(read(), 0);
  EXPECT_NE(problem.find("cannot read the firmware file"), std::string::npos) << problem;
}

TEST(DemoPackage, TheBuildMakesAVersion47PackageOfSomeDozenBlocks) {
  FirmwarePackage package;
  std::string problem;
  ASSERT_EQ(ReadBinFile(VELT_DEMO_PACKAGE_DIR, package, problem), 1) << problem;
  EXPECT_EQ(package.m_nFileVersion, 47);
  EXPECT_EQ(package.total_block_number, 40u);
  // The emulated mouse reads its version from the image itself.
  EXPECT_EQ(package.fw_data_block[0][22], 47);
  EXPECT_EQ(package.fw_data_block[0][23], 0);
}

}  // namespace
}  // namespace velt
