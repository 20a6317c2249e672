#include "base/file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace velt {
namespace {

namespace fs = std::filesystem;

// Paths a user may name: what is there before, and where the bytes must land.
TEST(FileWriter, FollowsLinksAndKeepsPermissions) {
  test::TempFolder folder;
  const std::string target = folder.file("target.plist");
  struct Case {
    const char* name;
    std::string path;   // what the user names
    std::string lands;  // where the bytes must end up
  } cases[] = {
      {"relative link", folder.file("rel.plist"), target},
      {"absolute link", folder.file("abs.plist"), target},
      {"link to a link", folder.file("chain.plist"), target},
      {"dangling link", folder.file("dangling.plist"), folder.file("new.plist")},
  };
  fs::create_symlink("target.plist", cases[0].path);
  fs::create_symlink(target, cases[1].path);
  fs::create_symlink("rel.plist", cases[2].path);
  fs::create_symlink("new.plist", cases[3].path);
  for (const Case& c : cases) {
    test::writeBytes(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(systemFileWriter().replaceFile(c.path, c.name, error)) << c.name << ": " << error;
    EXPECT_TRUE(fs::is_symlink(c.path)) << c.name;
    EXPECT_EQ(test::readBytes(c.lands), c.name);
    struct stat info {};
    ASSERT_EQ(::stat(c.lands.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, c.lands == target ? 0640u : 0644u) << c.name;
  }
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    EXPECT_FALSE(isTempFileName(entry.path().filename().string())) << entry.path();
  }
}

TEST(FileWriter, RefusesWhatIsNotARegularFile) {
  test::TempFolder folder;
  const std::string sub = folder.file("sub"), fifo = folder.file("fifo"),
                    linkToSub = folder.file("link"), loop = folder.file("loop");
  fs::create_directory(sub);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("sub", linkToSub);
  fs::create_symlink("loop", loop);
  struct Case {
    std::string path;
    const char* error;
  } cases[] = {
      {sub, "a folder, not a file"},
      {linkToSub, "a folder, not a file"},
      {fifo, "not a regular file"},
      {"/dev/null", "not a regular file"},
      {loop, "too many levels of symbolic links"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(systemFileWriter().replaceFile(c.path, "data", error)) << c.path;
    EXPECT_EQ(error, c.error) << c.path;
  }
  EXPECT_TRUE(fs::is_directory(sub));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 4)
      << "a temporary file was left behind";
}

// Only temporary files of the writer's own form, for targets the caller owns, go.
TEST(FileWriter, StaleTemporaryFilesOfOwnTargetsAreRemoved) {
  const struct {
    const char* name;
    const char* target;  // what tempFileTarget reads from it
    bool removed;
  } cases[] = {
      {".default2.plist.tmp-a1B2c3", "default2.plist", true},
      {".default5.plist.tmp-ZZZZZZ", "default5.plist", true},
      {".other.plist.tmp-a1B2c3", "other.plist", false},  // not the caller's
      {".default2.plist.tmp-a1B2", "", false},            // too short for mkstemp
      {".default2.plist.tmp-a1B2c!", "", false},
      {"default2.plist.tmp-a1B2c3", "", false},  // not hidden
      {".tmp-a1B2c3", "", false},
  };
  test::TempFolder folder;
  for (const auto& c : cases) {
    EXPECT_EQ(tempFileTarget(c.name), c.target) << c.name;
    test::writeBytes(folder.file(c.name), "half");
  }
  fs::create_directory(folder.file(".default3.plist.tmp-folder"));
  EXPECT_TRUE(removeStaleTempFiles(
      folder.path(), [](const std::string& target) { return target.starts_with("default"); }));
  for (const auto& c : cases) EXPECT_EQ(fs::exists(folder.file(c.name)), !c.removed) << c.name;
  EXPECT_TRUE(fs::is_directory(folder.file(".default3.plist.tmp-folder"))) << "only files go";
}

}  // namespace
}  // namespace velt
