#include "model/plist_file.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "model/limits.h"
#include "tests/support/temp_folder.h"

namespace velt {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

std::string toBinary(plist_t root) {
  char* bin = nullptr;
  uint32_t length = 0;
  plist_to_bin(root, &bin, &length);
  std::string bytes(bin, length);
  plist_to_bin_free(bin);
  plist_free(root);
  return bytes;
}

// A binary list whose root is an array of two references to the next array, 40
// deep: 200 bytes that libplist would expand into 2^40 nodes.
std::string sharedChainBinary(int levels) {
  std::string bytes = "bplist00";
  std::string offsets;
  for (int i = 0; i < levels; ++i) {
    offsets.push_back(static_cast<char>(bytes.size()));
    if (i + 1 < levels) {
      bytes += {static_cast<char>(0xA2), static_cast<char>(i + 1), static_cast<char>(i + 1)};
    } else {
      bytes += static_cast<char>(0x50);
    }
  }
  const char tableAt = static_cast<char>(bytes.size());
  bytes += offsets;
  std::string trailer(32, '\0');
  trailer[6] = 1;
  trailer[7] = 1;
  trailer[15] = static_cast<char>(levels);
  trailer[31] = tableAt;
  return bytes + trailer;
}

TEST(PlistFile, WritesXmlAsMacOSDoesAndReadsItBack) {
  TempFolder folder;
  const std::string path = folder.file("a.plist");
  ASSERT_TRUE(writeXmlPlist(path, {{"b", "x<&>y"}, {"a", "2"}, {"name", "M\xC3\xBCller"}}));
  const std::string xml = readBytes(path);
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
  EXPECT_NE(xml.find("<plist version=\"1.0\">"), std::string::npos);
  EXPECT_LT(xml.find("<key>b</key>"), xml.find("<key>a</key>"));  // written in order
  TextDict dict;
  ASSERT_TRUE(readTextDict(path, dict));
  EXPECT_EQ(dict, (TextDict{{"b", "x<&>y"}, {"a", "2"}, {"name", "M\xC3\xBCller"}}));
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    EXPECT_EQ(entry.path().filename(), "a.plist");  // no temporary file left
  }
}

TEST(PlistFile, FailedReplaceLeavesTheOldFileAndNoTemporary) {
  TempFolder folder;
  const std::string path = folder.file("a.plist");
  ASSERT_TRUE(writeXmlPlist(path, {{"k", "old"}}));
  std::filesystem::create_directories(folder.file("taken.plist/inner"));
  EXPECT_FALSE(systemFileWriter().replaceFile(folder.file("taken.plist"), "new"));  // a folder
  EXPECT_FALSE(writeXmlPlist(folder.file("missing/a.plist"), {{"k", "new"}}));
  FailingFileWriter failing(0);
  EXPECT_FALSE(writeXmlPlist(path, {{"k", "new"}}, failing));
  TextDict dict;
  ASSERT_TRUE(readTextDict(path, dict));
  EXPECT_EQ(dict["k"], "old");
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"a.plist", "taken.plist"}));
}

TEST(PlistFile, TextXmlCannotHoldBecomesReplacementCharacter) {
  TempFolder folder;
  const std::string path = folder.file("a.plist");
  ASSERT_TRUE(writeXmlPlist(path, {{"k", std::string("a\x01"
                                                     "b\xFF"
                                                     "c\t",
                                                     6)}}));
  TextDict dict;
  ASSERT_TRUE(readTextDict(path, dict));
  EXPECT_EQ(dict["k"],
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD"
            "c\t");
}

TEST(PlistFile, ReadsBinaryAndConvertsScalarValuesToText) {
  plist_t root = plist_new_dict();
  plist_dict_set_item(root, "text", plist_new_string("abc"));
  plist_dict_set_item(root, "number", plist_new_uint(42));
  plist_dict_set_item(root, "real", plist_new_real(0.5));
  plist_dict_set_item(root, "flag", plist_new_bool(1));
  plist_dict_set_item(root, "list", plist_new_array());
  plist_dict_set_item(root, "inner", plist_new_dict());
  plist_dict_set_item(root, "blob", plist_new_data("xy", 2));
  TextDict dict;
  std::string error;
  ASSERT_TRUE(parseTextDict(toBinary(root), dict, error)) << error;
  EXPECT_EQ(dict,
            (TextDict{{"text", "abc"}, {"number", "42"}, {"real", "0.500000"}, {"flag", "1"}}));
}

// The input is built by the test that uses it: built at registration, the large ones
// would cost every test process of the binary, whichever test it runs.
struct HostileCase {
  const char* name;
  std::string (*bytes)();
};

void PrintTo(const HostileCase& c, std::ostream* os) {
  *os << c.name;
}

class HostilePlist : public testing::TestWithParam<HostileCase> {};

TEST_P(HostilePlist, IsRefusedWithoutCrashing) {
  TextDict dict{{"kept", "1"}};
  std::string error;
  EXPECT_FALSE(parseTextDict(GetParam().bytes(), dict, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(dict.size(), 1u);  // left as it was
}

std::string nested(int depth) {
  std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>k</key>";
  for (int i = 0; i < depth; ++i) xml += "<array>";
  for (int i = 0; i < depth; ++i) xml += "</array>";
  return xml + "</dict></plist>";
}

std::string truncatedBinary() {
  plist_t root = plist_new_dict();
  plist_dict_set_item(root, "macroName", plist_new_string("Copy"));
  plist_dict_set_item(root, "macroID", plist_new_string("16"));
  const std::string bytes = toBinary(root);
  return bytes.substr(0, bytes.size() - 10);
}

// Key objects of a binary list (fewer than 15 characters): ASCII and UTF-16 big-endian.
std::string asciiKey(const std::string& text) {
  return static_cast<char>(0x50 | text.size()) + text;
}

std::string utf16Key(const std::u16string& text) {
  std::string bytes(1, static_cast<char>(0x60 | text.size()));
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit >> 8);
    bytes += static_cast<char>(unit & 0xFF);
  }
  return bytes;
}

// A binary list of one dictionary {key: "x"}, the key object given as its bytes.
std::string binaryDictWithKey(const std::string& keyObject) {
  std::string bytes = "bplist00";
  const std::string offsets = {8, 11, static_cast<char>(11 + keyObject.size())};
  bytes += "\xD1\x01\x02" + keyObject + "\x51x";
  const char tableAt = static_cast<char>(bytes.size());
  bytes += offsets;
  std::string trailer(32, '\0');
  trailer[6] = 1;
  trailer[7] = 1;
  trailer[15] = 3;
  trailer[31] = tableAt;
  return bytes + trailer;
}

TEST(PlistFile, ReadsBinaryKeysOfBothStringKinds) {
  // The well-formed neighbours of the NUL-key cases below.
  const std::pair<std::string, std::string> cases[] = {{asciiKey("abc"), "abc"},
                                                       {utf16Key(u"ab"), "ab"}};
  for (const auto& [object, key] : cases) {
    TextDict dict;
    std::string error;
    ASSERT_TRUE(parseTextDict(binaryDictWithKey(object), dict, error)) << key << ": " << error;
    EXPECT_EQ(dict, (TextDict{{key, "x"}}));
  }
}

std::string arrayRoot() {
  return "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a</string></array></plist>";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostilePlist,
    testing::Values(HostileCase{"Empty", [] { return std::string(); }},
                    HostileCase{"NotAPlist", [] { return std::string("hello, world\n"); }},
                    HostileCase{"ArrayRoot", arrayRoot},
                    HostileCase{"TruncatedBinary", truncatedBinary},
                    HostileCase{"BinaryHeaderOnly", [] { return std::string("bplist00"); }},
                    HostileCase{"DeepXml", [] { return nested(200000); }},
                    HostileCase{"SharedBinaryChain", [] { return sharedChainBinary(40); }},
                    // libplist would abort the program on this key.
                    HostileCase{
                        "BinaryUtf16KeyWithNul",
                        [] { return binaryDictWithKey(utf16Key(std::u16string(u"a\0", 2))); }},
                    HostileCase{"TooLarge", [] { return std::string(kMaxPlistBytes + 1, ' '); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlistFile, RefusesFilesOverTheSizeLimitAndMissingFiles) {
  TempFolder folder;
  const std::string path = folder.file("big.plist");
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 100L << 20, SEEK_SET);  // a 100 MB file, sparse
    std::fputc('x', f);
    std::fclose(f);
  }
  TextDict dict;
  EXPECT_FALSE(readTextDict(path, dict));
  EXPECT_FALSE(readTextDict(folder.file("missing.plist"), dict));
  EXPECT_FALSE(readTextDict(folder.path(), dict));  // a folder
}

struct IntegerCase {
  const char* text;
  int64_t value;
};

TEST(PlistFile, IntegersReadTheirLeadingDigits) {
  const IntegerCase cases[] = {{"42", 42},
                               {"-5", -5},
                               {"+7", 7},
                               {"  12ab", 12},
                               {"abc", 0},
                               {"", 0},
                               {"3.9", 3},
                               {"-1", -1},
                               {"4294967295", 4294967295LL},
                               {"99999999999999999999999", INT64_MAX}};
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(dictInteger({{"k", c.text}}, "k"), c.value) << c.text;
  }
  EXPECT_EQ(dictInteger({}, "k"), 0);
  EXPECT_FLOAT_EQ(dictReal({{"k", " 0.023529x"}}, "k"), 0.023529f);
  EXPECT_EQ(dictReal({{"k", "red"}}, "k"), 0.0f);
  EXPECT_EQ(integerText(4294967295u), "-1");
  EXPECT_EQ(realText(6.0 / 255.0), "0.023529");
}

// Files written here open in Python's plistlib, and files it writes (XML and binary)
// open here.
TEST(PlistFile, InteroperatesWithPythonPlistlib) {
  if (std::system("timeout 60 python3 -c 'import plistlib' </dev/null >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "python3 with plistlib is not available";
  }
  TempFolder folder;
  const std::string ours = folder.file("ours.plist");
  ASSERT_TRUE(writeXmlPlist(ours, {{"macroName", "Copy & <Paste>"}, {"macroID", "16"}}));
  const std::string script = folder.file("check.py");
  writeBytes(script,
             "import plistlib, sys\n"
             "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
             "assert d == {'macroName': 'Copy & <Paste>', 'macroID': '16'}, d\n"
             "for fmt, name in ((plistlib.FMT_XML, 'x.plist'), (plistlib.FMT_BINARY, 'b.plist')):\n"
             "    plistlib.dump({'evnetCount': '2', 'name': 'caf\\u00e9'},\n"
             "                  open(sys.argv[2] + name, 'wb'), fmt=fmt)\n");
  const std::string command =
      "timeout 60 python3 " + script + " " + ours + " " + folder.path() + " </dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command << " (at most 60 s)";
  for (const char* name : {"x.plist", "b.plist"}) {
    TextDict dict;
    ASSERT_TRUE(readTextDict(folder.file(name), dict)) << name;
    EXPECT_EQ(dict, (TextDict{{"evnetCount", "2"}, {"name", "caf\xC3\xA9"}})) << name;
  }
}

}  // namespace
}  // namespace velt
