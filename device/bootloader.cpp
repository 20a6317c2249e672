#include "device/bootloader.h"

#include <array>

#include "device/mouse_lock.h"
#include "device/transfer.h"

namespace velt {
namespace {

constexpr uint8_t kControlReportId = 0x20;
constexpr uint8_t kParameterReportId = 0x21;
constexpr size_t kParameterReportLength = 9;
constexpr uint8_t kDataReportId = 0x22;
constexpr size_t kDataReportLength = 1 + kDataBlockSize;

enum Step : uint8_t {
  kStart = 1,
  kStartConfirmation = 2,
  kBlockHeader = 3,
  kBlockData = 4,
  kComplete = 5,
  kEnterBootloader = 8,
};

// The bootloader's marker that closes the start and block-header parameters.
constexpr uint8_t kMarker[4] = {0x5A, 0xA5, 0x22, 0x88};
constexpr uint8_t kStartConfirmationValue = 0xEC;

// Control report 0x20, 8 bytes: 20 06, the length of the report that follows (2),
// 00, step, 00 00.
Report controlReport(Step step, size_t following = kParameterReportLength) {
  return makeReport(kControlReportId, kCommandReportLength,
                    std::array<uint8_t, 5>{0x06, static_cast<uint8_t>(following),
                                           static_cast<uint8_t>(following >> 8), 0x00, step});
}

// Parameter report 0x21: the ID and 8 bytes.
Report parameterReport(std::array<uint8_t, 8> value) {
  return makeReport(kParameterReportId, kParameterReportLength, value);
}

}  // namespace

DeviceResult Send_bl_request() {
  const MouseLock exchange;
  return resultOf(sendReport(controlReport(kEnterBootloader)) &&
                  sendReport(parameterReport(kBootloaderEntryValue)));
}

// Start parameter: the 32-bit start value, then the marker.
DeviceResult Send_bl_start(uint32_t value) {
  const MouseLock exchange;
  const std::array<uint8_t, 8> start = {static_cast<uint8_t>(value),
                                        static_cast<uint8_t>(value >> 8),
                                        static_cast<uint8_t>(value >> 16),
                                        static_cast<uint8_t>(value >> 24),
                                        kMarker[0],
                                        kMarker[1],
                                        kMarker[2],
                                        kMarker[3]};
  return resultOf(sendReport(controlReport(kStart)) && sendReport(parameterReport(start)) &&
                  sendReport(controlReport(kStartConfirmation)) &&
                  sendReport(parameterReport({kStartConfirmationValue})));
}

// Block header parameter: the block number (2), 00 00, the marker. The data report
// is sent once more when its handshake fails; the mouse then sees the block twice.
DeviceResult Send_fw_block(uint32_t block, std::span<const uint8_t, kDataBlockSize> data) {
  const MouseLock exchange;
  const std::array<uint8_t, 8> header = {static_cast<uint8_t>(block),
                                         static_cast<uint8_t>(block >> 8),
                                         0x00,
                                         0x00,
                                         kMarker[0],
                                         kMarker[1],
                                         kMarker[2],
                                         kMarker[3]};
  if (!sendReport(controlReport(kBlockHeader)) || !sendReport(parameterReport(header)) ||
      !sendReport(controlReport(kBlockData, kDataReportLength))) {
    return kResultTransferFailed;
  }
  const Report report = makeReport(kDataReportId, kDataReportLength, data);
  if (!sendReport(report, Handshake::kNone)) return kResultTransferFailed;
  return resultOf(QuerySetResult() || sendReport(report));
}

DeviceResult Send_bl_complete() {
  const MouseLock exchange;
  return resultOf(sendReport(controlReport(kComplete), Handshake::kIgnored));
}

}  // namespace velt
