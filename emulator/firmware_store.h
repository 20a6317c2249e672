#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velt {

// The protocol's values, the emulator's own copies (why: emulator/mouse_state.h).
inline constexpr size_t kFirmwareBlockSize = 1024;
// The emulated flash takes at most this many firmware blocks.
inline constexpr uint16_t kMaxFirmwareBlocks = 120;

// Where the bootloader keeps a firmware image while it arrives and once it is stored.
class FirmwareStore {
 public:
  virtual ~FirmwareStore() = default;
  // Starts a new incoming image.
  virtual bool clearIncoming() = 0;
  virtual bool writeIncomingBlock(uint16_t block, std::span<const uint8_t> data) = 0;
  // Makes the first `blocks` blocks of the incoming image the stored firmware and
  // returns them; nullopt when that fails.
  virtual std::optional<std::vector<uint8_t>> storeIncoming(uint16_t blocks) = 0;
};

}  // namespace velt
