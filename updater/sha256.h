#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace velt {

// SHA-256 (FIPS 180-4) of a whole buffer; the package check needs nothing more.
std::array<uint8_t, 32> sha256(std::span<const uint8_t> data);

// The digest as 64 lowercase hex digits.
std::string sha256Hex(std::span<const uint8_t> data);

}  // namespace velt
