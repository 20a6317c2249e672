#pragma once

#include <array>
#include <cstdint>

namespace velt {

// The emulator writes down the protocol's values (sizes, slots, codes, ranges) itself,
// on purpose, and never takes them from device/: it is the independent side of every
// wire test, so a value changed by mistake on the device side shows up as a failing
// exchange instead of being copied into the mouse that checks it.
inline constexpr uint16_t kFirstFirmwareVersion = 46;
inline constexpr int kEmulatedProfileSlots = 5;
inline constexpr size_t kSlotImageSize = 2048;
inline constexpr uint8_t kSlotBlocks = 2;  // of 1024 bytes each
inline constexpr size_t kReport3Size = 8;

enum class MouseMode : uint8_t {
  kNormal,              // product 0x1301
  kEnteringBootloader,  // restarting: no device on the bus
  kBootloader,          // product 0x1303
  kLeavingBootloader,   // restarting into normal mode: no device on the bus
};

// What report 5 answers or takes next, set up by the command before it.
enum class BlockTransfer : uint8_t { kNone, kProfileWrite, kProfileRead, kFlashRead };

struct ProfileSlot {
  uint16_t length = 0;  // the stored image length; 0 for a slot never written
  std::array<uint8_t, kSlotImageSize> image{};
  bool operator==(const ProfileSlot&) const = default;
};

// Everything the mouse keeps, shared by every process that uses the same state
// folder. The command in progress is part of it, as it is on the one real mouse: a
// command sent by one program and answered to another is what the hardware would do.
struct MouseState {
  MouseMode mode = MouseMode::kNormal;
  uint16_t firmwareVersion = kFirstFirmwareVersion;
  uint8_t currentProfile = 0;
  uint8_t driverControl = 0;
  uint8_t testedLiftDistance = 0;
  uint8_t savedLiftDistance = 0;
  bool surfaceAnalyzed = false;
  std::array<ProfileSlot, kEmulatedProfileSlots> profileSlots;

  // Report 3 as the next read answers it (byte 1 the status of the last command) and,
  // once that status was read, the reply that follows it (hasFollowing).
  std::array<uint8_t, kReport3Size> reply{3, 1};
  std::array<uint8_t, kReport3Size> following{3};
  bool hasFollowing = false;
  // The setting (0x02 or 0x10) named by the last command frame, until the host reads
  // its success status; then the setting whose value the next command frame carries.
  // A host that never saw the success (it gave up on a busy mouse) sends a command
  // next, not a value. 0 for none.
  uint8_t namedSetting = 0;
  uint8_t awaitedSetting = 0;
  BlockTransfer block = BlockTransfer::kNone;
  uint8_t blockProfile = 0;
  uint8_t blockNumber = 0;
  uint16_t blockImageLength = 0;

  // A restart requested by the last command, done once its status was read.
  bool restartAfterStatus = false;
  int discoveriesUntilBack = 0;   // while restarting, discoveries until the device is back
  int bootloaderAppearAfter = 0;  // chosen at the enter request

  // Bootloader: the control step waiting for its parameter or data report (0 none),
  // whether start and confirmation came, the block announced by the last header, and
  // how many blocks the incoming image holds.
  uint8_t pendingStep = 0;
  bool transferStarted = false;
  bool transferConfirmed = false;
  bool blockAnnounced = false;
  uint16_t announcedBlock = 0;
  uint16_t incomingBlocks = 0;

  bool operator==(const MouseState&) const = default;
};

}  // namespace velt
