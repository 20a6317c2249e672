#include "device/commands.h"

#include <cstdio>

#include <algorithm>
#include <chrono>

#include "base/clock.h"
#include "device/mouse_lock.h"
#include "device/transfer.h"

namespace velt {
namespace {

// Command codes on report 3.
constexpr uint8_t kSelectProfile = 0x02;
constexpr uint8_t kGetProfile = 0x03;
constexpr uint8_t kGetFirmwareVersion = 0x04;
constexpr uint8_t kDriverControl = 0x10;
constexpr uint8_t kSurfaceAnalyzer = 0x30;  // sub-command 1 start, 2 result
constexpr uint8_t kLiftOffDistance = 0x31;  // sub-command 1 test, 2 save
constexpr uint8_t kReadFlashBlock = 0xF1;

constexpr uint8_t kVersionReportId = 0x04;
constexpr size_t kVersionReportLength = 64;

// A setting changed in two frames: the first names it, the second carries the value
// where the command code normally stands.
DeviceResult setInTwoFrames(uint8_t setting, uint8_t value) {
  const MouseLock exchange;
  return resultOf(sendReport(commandFrame({setting})) && sendReport(commandFrame({value})));
}

}  // namespace

// Version reply, report 4 (64 bytes): bytes 1..2 the version, little-endian.
DeviceResult Get_fw_version(uint16_t& version) {
  const MouseLock exchange;
  if (!sendReport(commandFrame({kGetFirmwareVersion}))) return kResultTransferFailed;
  std::optional<Report> reply = readReport(kVersionReportId, kVersionReportLength);
  if (!reply) return kResultTransferFailed;
  version = static_cast<uint16_t>((*reply)[1] | (*reply)[2] << 8);
  return kResultSuccess;
}

// Reply, report 3: byte 1 the current profile number.
DeviceResult Get_current_profile_id(uint8_t& id) {
  const MouseLock exchange;
  if (!sendReport(commandFrame({kGetProfile}))) return kResultTransferFailed;
  std::optional<Report> reply = readReport(kCommandReportId, kCommandReportLength);
  if (!reply) return kResultReplyUnreadable;
  if ((*reply)[1] < kProfileCount) id = (*reply)[1];
  return kResultSuccess;
}

DeviceResult Set_current_profile_id(uint8_t id) {
  if (id >= kProfileCount) return kResultBadArgument;
  return setInTwoFrames(kSelectProfile, id);
}

DeviceResult Set_driver_control(uint8_t mode) {
  if (mode != 0 && mode != 2) return kResultBadArgument;
  return setInTwoFrames(kDriverControl, mode);
}

DeviceResult Start_surface_analyzer() {
  const MouseLock exchange;
  return resultOf(sendReport(commandFrame({kSurfaceAnalyzer, 1}), Handshake::kIgnored));
}

// Reply, report 3: byte 2 the surface value.
DeviceResult Get_surface_analyzer_result(uint8_t& value) {
  const MouseLock exchange;
  if (!sendReport(commandFrame({kSurfaceAnalyzer, 2}), Handshake::kNone)) {
    return kResultTransferFailed;
  }
  std::optional<Report> reply = readReport(kCommandReportId, kCommandReportLength);
  if (!reply) return kResultTransferFailed;
  value = (*reply)[2];
  return kResultSuccess;
}

DeviceResult Test_LOD(uint8_t distance) {
  const MouseLock exchange;
  return resultOf(sendReport(commandFrame({kLiftOffDistance, 1, distance}), Handshake::kIgnored));
}

DeviceResult Save_LOD(uint8_t distance) {
  const MouseLock exchange;
  return resultOf(sendReport(commandFrame({kLiftOffDistance, 2, distance}), Handshake::kIgnored));
}

// Request 03 F1 00 00 block 00 00 00; the block arrives on report 5 (1025 bytes),
// bytes 1..1024.
DeviceResult Read_flash_block(uint8_t block, std::span<uint8_t, kDataBlockSize> data) {
  const MouseLock exchange;
  if (!sendReport(commandFrame({kReadFlashBlock, 0, 0, block}), Handshake::kNone)) {
    return kResultTransferFailed;
  }
  // The mouse needs the time to fetch the block from its flash.
  clock().sleepFor(std::chrono::seconds(1));
  std::optional<Report> reply = readReport(kBlockReportId, kBlockReportLength);
  if (!reply) return kResultTransferFailed;
  std::copy(reply->begin() + 1, reply->end(), data.begin());
  return kResultSuccess;
}

std::string firmwareVersionText(int32_t hundredths) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f",
                static_cast<double>(static_cast<float>(hundredths) / 100.0f));
  return text;
}

}  // namespace velt
