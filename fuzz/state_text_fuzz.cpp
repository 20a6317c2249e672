// The emulated mouse's state file, which may be hand-edited or cut short: decoding
// either fails with a reason and leaves the state as it was, or gives a state whose
// encoding decodes to the same state (but for the images of slots never written).
#include "emulator/state_text.h"
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  velt::MouseState state;
  state.currentProfile = 3;
  state.profileSlots[2].length = 7;
  const velt::MouseState before = state;
  std::string error;
  if (!velt::decodeState(velt::fuzz::asText(data, size), state, error)) {
    VELT_FUZZ_CHECK(!error.empty());
    VELT_FUZZ_CHECK(state == before);
    return 0;
  }
  for (const velt::ProfileSlot& slot : state.profileSlots) {
    VELT_FUZZ_CHECK(slot.length <= velt::kSlotImageSize);
  }
  const std::string text = velt::encodeState(state);
  velt::MouseState again;
  VELT_FUZZ_CHECK(velt::decodeState(text, again, error));
  // A slot of stored length 0 is one never written, and the file leaves it out: an
  // image that a hand-edited "slot N 0 HEX" line gave it is not kept.
  velt::MouseState expected = state;
  for (velt::ProfileSlot& slot : expected.profileSlots) {
    if (slot.length == 0) slot.image = {};
  }
  VELT_FUZZ_CHECK(again == expected);
  VELT_FUZZ_CHECK(velt::encodeState(again) == text);
  return 0;
}
