// Property-list reading: any bytes either fail with a reason or give a dictionary of
// text values, and writing that dictionary gives a file that reads back. After one
// write the dictionary is settled: reading and writing again changes nothing (the
// first write may turn text XML cannot hold into U+FFFD, merging keys).
#include <algorithm>

#include "base/log.h"
#include "fuzz/fuzz_target.h"
#include "model/plist_file.h"

namespace {

velt::TextEntries sorted(const velt::TextDict& dict) {
  velt::TextEntries entries(dict.begin(), dict.end());
  std::sort(entries.begin(), entries.end());
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velt::fuzz::silenceLog();
  velt::TextDict dict{{"kept", "on failure"}};
  std::string error;
  if (!velt::parseTextDict(velt::fuzz::asText(data, size), dict, error)) {
    VELT_FUZZ_CHECK(!error.empty());
    VELT_FUZZ_CHECK(dict.size() == 1 && dict.at("kept") == "on failure");
    return 0;
  }
  const std::string once = velt::toXmlPlist(sorted(dict));
  velt::TextDict first;
  VELT_FUZZ_CHECK(velt::parseTextDict(once, first, error));
  VELT_FUZZ_CHECK(first.size() <= dict.size());
  const std::string twice = velt::toXmlPlist(sorted(first));
  velt::TextDict second;
  VELT_FUZZ_CHECK(velt::parseTextDict(twice, second, error));
  VELT_FUZZ_CHECK(second == first);
  VELT_FUZZ_CHECK(velt::toXmlPlist(sorted(second)) == twice);
  return 0;
}
