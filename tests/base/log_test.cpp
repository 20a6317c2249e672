#include "base/log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velt {
namespace {

TEST(Log, HookSeesFormattedLinesUntilRemoved) {
  std::vector<std::string> lines;
  setLogHook([&](const std::string& line) { lines.push_back(line); });
  logf("button %d click", 7);
  logLine("find device");
  setLogHook({});
  logLine("not seen");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "button 7 click");
  EXPECT_EQ(lines[1], "find device");
}

TEST(Log, LongLinesAreNotCut) {
  std::string seen;
  setLogHook([&](const std::string& line) { seen = line; });
  const std::string longText(5000, 'x');
  logf("%s!", longText.c_str());
  setLogHook({});
  EXPECT_EQ(seen, longText + "!");
}

}  // namespace
}  // namespace velt
