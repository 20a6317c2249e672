// Reading a profile file (an imported one may come from anywhere): whatever it holds,
// the profile that results saves to a file that reads back, and after that one save
// the file is settled: reading it and saving again gives the same bytes. The device
// record built from such a profile keeps every macro within its 128 event slots and
// packs into an image that unpacks within bounds.
#include <memory>

#include "base/log.h"
#include "device/profile_image.h"
#include "fuzz/fuzz_target.h"
#include "model/Profile.h"

namespace {

void checkRecord(const velt::PROFILE_T& record) {
  for (const velt::MACRO_T& macro : record.macros) {
    VELT_FUZZ_CHECK(macro.eventCount <= velt::kMacroEventSlots);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velt::fuzz::silenceLog();
  const std::string input = velt::fuzz::scratch().file("input.plist");
  velt::test::writeBytes(input, velt::fuzz::asText(data, size));

  velt::Profile profile;
  if (!profile.read(input)) return 0;
  velt::fuzz::MemoryWriter writer;
  VELT_FUZZ_CHECK(profile.save(input, writer));
  const std::string saved = writer.last();

  velt::test::writeBytes(input, saved);
  velt::Profile again;
  VELT_FUZZ_CHECK(again.read(input));
  VELT_FUZZ_CHECK(again.save(input, writer));
  VELT_FUZZ_CHECK(writer.last() == saved);

  auto record = std::make_unique<velt::PROFILE_T>();
  profile.toPROFILE_T(*record);
  checkRecord(*record);
  std::array<uint8_t, velt::kProfileImageSize> image{};
  velt::Convert_pf_to_buffer(*record, image);
  auto back = std::make_unique<velt::PROFILE_T>();
  velt::Convert_buffer_to_pf(image, *back);
  checkRecord(*back);
  return 0;
}
