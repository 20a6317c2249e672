#include "base/file_read.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_folder.h"

namespace velt {
namespace {

constexpr size_t kLimit = 100;

// What the reader makes of each kind of path, at a limit of 100 bytes.
TEST(ReadBoundedFile, ReadsRegularFilesUpToTheLimitAndSaysWhyNot) {
  test::TempFolder folder;
  test::writeBytes(folder.file("empty"), "");
  test::writeBytes(folder.file("at-limit"), std::string(kLimit, 'a'));
  test::writeBytes(folder.file("over-limit"), std::string(kLimit + 1, 'b'));
  test::writeBytes(folder.file("binary"), std::string("\0\xFFz", 3));
  std::filesystem::create_directory(folder.file("folder"));
  ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: refused
    FileProblem problem;
    const char* reason;
  } cases[] = {
      {"empty", std::string(), FileProblem::kNone, ""},
      {"at-limit", std::string(kLimit, 'a'), FileProblem::kNone, ""},
      {"binary", std::string("\0\xFFz", 3), FileProblem::kNone, ""},
      {"over-limit", std::nullopt, FileProblem::kTooLarge, "file too large"},
      {"missing", std::nullopt, FileProblem::kMissing, "No such file or directory"},
      {"folder", std::nullopt, FileProblem::kNotAFile, "a folder"},
      // A pipe with no writer would block a reader that opened it for reading.
      {"pipe", std::nullopt, FileProblem::kNotAFile, "not a regular file"},
  };
  for (const Case& c : cases) {
    FileReadError error;
    EXPECT_EQ(readBoundedFile(folder.file(c.name), kLimit, error), c.bytes) << c.name;
    EXPECT_EQ(error.problem, c.problem) << c.name;
    EXPECT_EQ(error.reason, c.reason) << c.name;
  }
}

// A reader that knows the size reads exactly that many bytes into its own buffer, or
// says why not; a file of another size is not half read into it.
TEST(ReadExactFile, ReadsAFileOfTheSizeExpectedAndRefusesAnyOther) {
  test::TempFolder folder;
  test::writeBytes(folder.file("four"), "abcd");
  test::writeBytes(folder.file("three"), "abc");
  test::writeBytes(folder.file("five"), "abcde");
  std::filesystem::create_directory(folder.file("folder"));
  struct Case {
    const char* name;
    bool read;
    FileProblem problem;
  } cases[] = {
      {"four", true, FileProblem::kNone},        {"three", false, FileProblem::kCorrupt},
      {"five", false, FileProblem::kTooLarge},   {"missing", false, FileProblem::kMissing},
      {"folder", false, FileProblem::kNotAFile},
  };
  for (const Case& c : cases) {
    char buffer[4] = {'-', '-', '-', '-'};
    FileReadError error;
    EXPECT_EQ(readExactFile(folder.file(c.name), buffer, error), c.read) << c.name;
    EXPECT_EQ(error.problem, c.problem) << c.name;
    if (c.read) {
      EXPECT_EQ(std::string(buffer, 4), "abcd");
    }
  }
}

}  // namespace
}  // namespace velt
