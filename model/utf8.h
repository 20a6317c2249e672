#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velt {

// Length of the well-formed UTF-8 sequence at `at` (1 to 4), or 0 when the bytes
// there are not one. `code` receives the character.
size_t utf8SequenceAt(std::string_view text, size_t at, uint32_t& code);

}  // namespace velt
