#include "model/utf8.h"

namespace velt {

size_t utf8SequenceAt(std::string_view text, size_t at, uint32_t& code) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[at + i]); };
  const uint8_t lead = byte(0);
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || at + length > text.size()) return 0;
  code = lead & (0x3F >> (length - 1));
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code >= minimum[length] && code <= 0x10FFFF && !surrogate ? length : 0;
}

}  // namespace velt
