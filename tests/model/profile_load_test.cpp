#include "model/profile_load.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "base/log.h"
#include "model/Profile.h"
#include "tests/support/temp_folder.h"

namespace velt {
namespace {

namespace fs = std::filesystem;

class ProfileLoad : public testing::Test {
 protected:
  void SetUp() override {
    profile.setProfileName("Profile2");
    profile.setProfilePath(path);
    setLogHook([this](const std::string& line) { logged.push_back(line); });
  }
  void TearDown() override { setLogHook({}); }
  // Every file of the folder but the profile's own.
  std::vector<std::string> others() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      if (entry.path() != path) names.push_back(entry.path().filename().string());
    }
    return names;
  }

  test::TempFolder folder;
  const std::string path = folder.file("default2.plist");
  Profile profile;
  std::vector<std::string> logged;
};

TEST_F(ProfileLoad, ReadsAGoodFileAndTakesAMissingOneAsDefaults) {
  EXPECT_EQ(loadProfile(profile).status, ProfileLoadStatus::kMissing);
  Profile saved;
  saved.setProfileName("Mine");
  ASSERT_TRUE(saved.save(path));
  const ProfileLoadResult result = loadProfile(profile);
  EXPECT_EQ(result.status, ProfileLoadStatus::kRead);
  EXPECT_EQ(profile.profileName(), "Mine");
  EXPECT_FALSE(result.needsTelling());
  EXPECT_EQ(result.message(), "");
  EXPECT_TRUE(others().empty());
}

// A file that is there but cannot be read goes aside, whole, under a name that says
// why and when; the profile keeps its defaults and the next save loses nothing.
TEST_F(ProfileLoad, UnreadableFileIsSetAside) {
  struct Case {
    const char* why;
    std::function<void()> make;
    const char* reason;
  } cases[] = {
      {"corrupt", [&] { test::writeBytes(path, "<plist><dict><key>x"); }, "not a property list"},
      {"too-large", [&] { fs::resize_file((test::writeBytes(path, "x"), path), 17u << 20); },
       "file too large"},
      {"not-a-file", [&] { fs::create_directory(path); }, "a folder"},
  };
  for (const Case& c : cases) {
    fs::remove_all(folder.path());
    fs::create_directories(folder.path());
    c.make();
    const auto before = fs::status(path).type();
    logged.clear();
    profile.initProfile();
    profile.setProfileName("Profile2");
    const ProfileLoadResult result = loadProfile(profile);

    EXPECT_EQ(result.status, ProfileLoadStatus::kSetAside) << c.why;
    EXPECT_EQ(result.reason, c.reason);
    ASSERT_EQ(others().size(), 1u) << c.why;
    EXPECT_EQ(result.keptPath, folder.file(others()[0]));
    EXPECT_TRUE(std::regex_match(
        others()[0], std::regex(std::string("default2\\.plist\\.") + c.why + "-[0-9]{8}-[0-9]{6}")))
        << others()[0];
    EXPECT_EQ(fs::status(result.keptPath).type(), before) << "the old file was not kept whole";
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(profile.DPIXaxis1(), Profile().DPIXaxis1());
    EXPECT_EQ(result.message(),
              "Profile2 starts from its defaults: default2.plist: " + std::string(c.reason) +
                  "; the old file is now " + result.keptPath);
    EXPECT_NE(std::find(logged.begin(), logged.end(), result.message()), logged.end());

    ASSERT_TRUE(profile.save());
    EXPECT_EQ(fs::status(result.keptPath).type(), before);
  }
}

TEST_F(ProfileLoad, UnreadableForTheUserAndTwoInOneSecond) {
  test::writeBytes(path, "first");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  ProfileLoadResult first = loadProfile(profile);
  if (::geteuid() != 0) {
    EXPECT_EQ(first.reason, "Permission denied");
    EXPECT_NE(first.keptPath.find(".unreadable-"), std::string::npos) << first.keptPath;
  }
  test::writeBytes(path, "second");
  const ProfileLoadResult second = loadProfile(profile);
  ASSERT_EQ(second.status, ProfileLoadStatus::kSetAside);
  EXPECT_NE(second.keptPath, first.keptPath);
  EXPECT_EQ(test::readBytes(second.keptPath), "second");
  EXPECT_EQ(others().size(), 2u);
}

TEST_F(ProfileLoad, FileThatCannotBeMovedStaysAndIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may rename in a read-only folder";
  test::writeBytes(path, "broken");
  ASSERT_EQ(::chmod(folder.path().c_str(), 0500), 0);
  const ProfileLoadResult result = loadProfile(profile);
  ::chmod(folder.path().c_str(), 0700);
  EXPECT_EQ(result.status, ProfileLoadStatus::kNotSetAside);
  EXPECT_TRUE(result.needsTelling());
  EXPECT_EQ(test::readBytes(path), "broken");
  EXPECT_NE(result.message().find("could not be moved aside and is still " + path),
            std::string::npos)
      << result.message();
}

}  // namespace
}  // namespace velt
