// Reading a macro file and a macro library naming it: whatever the file holds, a
// macro read from it keeps at most the event limit, saves to a file that reads back
// to the same rows, and the library reads the file exactly when the macro alone does.
#include <cstdio>

#include "base/log.h"
#include "fuzz/fuzz_target.h"
#include "model/Macro.h"
#include "model/MacroLibrary.h"
#include "model/limits.h"
#include "model/plist_file.h"

namespace {

bool sameRows(const velt::Macro& a, const velt::Macro& b) {
  if (a.eventItems().size() != b.eventItems().size()) return false;
  for (size_t i = 0; i < a.eventItems().size(); ++i) {
    if (!(a.eventItems()[i].event() == b.eventItems()[i].event())) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velt::fuzz::silenceLog();
  const std::string file = velt::fuzz::scratch().file("a.macro");
  velt::test::writeBytes(file, velt::fuzz::asText(data, size));

  velt::Macro macro;
  const bool read = macro.read(file);
  if (read) {
    VELT_FUZZ_CHECK(macro.eventItems().size() <= static_cast<size_t>(velt::kMaxMacroEvents));
    velt::fuzz::MemoryWriter writer;
    VELT_FUZZ_CHECK(macro.save(file, writer));
    const std::string saved = writer.last();
    const std::string copy = velt::fuzz::scratch().file("copy.macro");
    velt::test::writeBytes(copy, saved);
    velt::Macro again;
    VELT_FUZZ_CHECK(again.read(copy));
    VELT_FUZZ_CHECK(again.nID() == macro.nID());
    VELT_FUZZ_CHECK(sameRows(again, macro));
    VELT_FUZZ_CHECK(again.save(copy, writer));
    VELT_FUZZ_CHECK(writer.last() == saved);
  }

  // The library also takes in every unlisted macro file of its folder.
  std::remove(velt::fuzz::scratch().file("copy.macro").c_str());
  velt::test::writeBytes(velt::MacroLibrary::listFilePath(velt::fuzz::scratch().path()),
                         velt::toXmlPlist({{"macroCount", "1"}, {"macro0", file}}));
  velt::MacroLibrary library;
  VELT_FUZZ_CHECK(library.setMacroPath(velt::fuzz::scratch().path()));
  VELT_FUZZ_CHECK(library.readMacroItems());
  VELT_FUZZ_CHECK(library.macros().size() == (read ? 1u : 0u));
  if (read) VELT_FUZZ_CHECK(sameRows(*library.macros().front(), macro));
  return 0;
}
