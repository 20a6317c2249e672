// The device layer and the emulated mouse: single transfers, commands, profile
// images, a firmware transfer and whole veltctl runs (info, a firmware update), each
// against a fresh emulated mouse in a temporary folder.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "bench/bench_support.h"
#include "cli/veltctl.h"
#include "device/bootloader.h"
#include "device/commands.h"
#include "device/profile_image.h"

namespace velt::bench {
namespace {

constexpr size_t kStatusLength = 8;
constexpr size_t kFirmwareBlocks = 120;

// When the state file was last written, in nanoseconds; 0 when it is not there.
int64_t stateWritten(const std::string& dir) {
  struct stat info {};
  if (stat((dir + "/mouse-state").c_str(), &info) != 0) return 0;
  return int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
}

// A raw status read after a finished command, on a second host over the same folder:
// the mouse answers from its state and writes nothing back.
void BM_EmulatorTransferWithoutStateChange(benchmark::State& state) {
  EmulatedMouse mouse;
  std::string error;
  std::unique_ptr<EmulatedHidHost> host = makeEmulatedHost(mouse.dir(), error);
  if (!mouse.ok() || !host) return state.SkipWithError((mouse.error() + error).c_str());
  std::array<uint8_t, kStatusLength> frame = {3, 0x31, 1, 6};  // lift-off test at 6
  if (!host->setReport(kNormalProductId, frame.data(), frame.size()))
    return state.SkipWithError("command frame failed");
  const int64_t before = stateWritten(mouse.dir());
  for (auto _ : state) {
    std::array<uint8_t, kStatusLength> status = {3};
    size_t length = status.size();
    if (!host->getReport(kNormalProductId, status.data(), length))
      return state.SkipWithError("status read failed");
    benchmark::DoNotOptimize(status);
  }
  if (stateWritten(mouse.dir()) != before) state.SkipWithError("a status read wrote the state");
}
BENCHMARK(BM_EmulatorTransferWithoutStateChange)->Unit(benchmark::kMicrosecond);

// A raw command frame that changes the state each time (lift-off test at 6, then 7):
// the mouse writes its whole state file back on every transfer.
void BM_EmulatorTransferWithStateChange(benchmark::State& state) {
  EmulatedMouse mouse;
  std::string error;
  std::unique_ptr<EmulatedHidHost> host = makeEmulatedHost(mouse.dir(), error);
  if (!mouse.ok() || !host) return state.SkipWithError((mouse.error() + error).c_str());
  uint8_t distance = 6;
  const int64_t before = stateWritten(mouse.dir());
  for (auto _ : state) {
    std::array<uint8_t, kStatusLength> frame = {3, 0x31, 1, distance};
    if (!host->setReport(kNormalProductId, frame.data(), frame.size()))
      return state.SkipWithError("command frame failed");
    distance = distance == 6 ? 7 : 6;
  }
  if (stateWritten(mouse.dir()) == before)
    state.SkipWithError("the commands did not write the state");
}
BENCHMARK(BM_EmulatorTransferWithStateChange)->Unit(benchmark::kMicrosecond);

void BM_GetFwVersion(benchmark::State& state) {
  EmulatedMouse mouse;
  if (!mouse.ok()) return state.SkipWithError(mouse.error().c_str());
  for (auto _ : state) {
    uint16_t version = 0;
    if (Get_fw_version(version) != kResultSuccess)
      return state.SkipWithError("Get_fw_version failed");
    benchmark::DoNotOptimize(version);
  }
}
BENCHMARK(BM_GetFwVersion)->Unit(benchmark::kMicrosecond);

PROFILE_T fullRecord(uint8_t slot) {
  PROFILE_T record;
  fullDeviceProfile().toPROFILE_T(record);
  record.profileNumber = slot;
  return record;
}

// One profile that fills its image (164 macro events), both blocks.
void BM_WriteProfile(benchmark::State& state) {
  EmulatedMouse mouse;
  if (!mouse.ok()) return state.SkipWithError(mouse.error().c_str());
  const PROFILE_T record = fullRecord(2);
  for (auto _ : state) {
    PROFILE_T written = record;
    if (Write_profile(2, written) != kResultSuccess)
      return state.SkipWithError("Write_profile failed");
  }
}
BENCHMARK(BM_WriteProfile)->Unit(benchmark::kMicrosecond);

void BM_ReadProfile(benchmark::State& state) {
  EmulatedMouse mouse;
  if (!mouse.ok()) return state.SkipWithError(mouse.error().c_str());
  for (auto _ : state) {
    PROFILE_T read;
    if (Read_profile(2, read) != kResultSuccess) return state.SkipWithError("Read_profile failed");
    benchmark::DoNotOptimize(read);
  }
}
BENCHMARK(BM_ReadProfile)->Unit(benchmark::kMicrosecond);

// A firmware image of 120 blocks naming version 0.47.
std::vector<uint8_t> firmwareImage() {
  std::vector<uint8_t> image(kFirmwareBlocks * kDataBlockSize, 0x5C);
  const uint8_t marker[] = {'V', 'E', 'L', 'T', 'F', 'W', 47, 0};
  std::memcpy(image.data() + image.size() - 64, marker, sizeof marker);
  return image;
}

// Restarts the mouse into its bootloader and opens it there.
bool enterBootloader() {
  if (!IsMakesureOpen() || Send_bl_request() != kResultSuccess) return false;
  Close_device();
  for (int attempt = 0; attempt < 10; ++attempt)
    if (Open_bl_device()) return true;
  return false;
}

// Start, 120 blocks and completion in the bootloader; entering the bootloader and
// finding the mouse back in normal mode are not timed. The clock is manual, so the
// updater's waits would cost nothing either.
void BM_FirmwareTransfer120Blocks(benchmark::State& state) {
  EmulatedMouse mouse;
  if (!mouse.ok()) return state.SkipWithError(mouse.error().c_str());
  const std::vector<uint8_t> image = firmwareImage();
  for (auto _ : state) {
    state.PauseTiming();
    const bool entered = enterBootloader();
    state.ResumeTiming();
    if (!entered) return state.SkipWithError("the bootloader did not appear");
    if (Send_bl_start(0) != kResultSuccess) return state.SkipWithError("Send_bl_start failed");
    for (size_t b = 0; b < kFirmwareBlocks; ++b) {
      std::span<const uint8_t, kDataBlockSize> block(image.data() + b * kDataBlockSize,
                                                     kDataBlockSize);
      if (Send_fw_block(static_cast<uint32_t>(b), block) != kResultSuccess)
        return state.SkipWithError("Send_fw_block failed");
    }
    if (Send_bl_complete() != kResultSuccess) return state.SkipWithError("Send_bl_complete failed");
    state.PauseTiming();
    Close_device();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size()));
}
BENCHMARK(BM_FirmwareTransfer120Blocks)->Unit(benchmark::kMillisecond);

// `veltctl --emulate DIR info` in this process: option parsing, installing the
// emulated mouse, discovery, two commands and the output.
void BM_VeltctlInfo(benchmark::State& state) {
  unsetenv(kFaultsVariable);
  EmulatedMouse mouse;
  if (!mouse.ok()) return state.SkipWithError(mouse.error().c_str());
  Close_device();  // veltctl installs a host of its own on the folder
  const std::string dir = mouse.dir();
  const char* argv[] = {"veltctl", "--emulate", dir.c_str(), "info"};
  for (auto _ : state) {
    std::ostringstream out, err;
    if (runVeltctl(4, argv, out, err) != 0) return state.SkipWithError(err.str().c_str());
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_VeltctlInfo)->Unit(benchmark::kMicrosecond);

// `veltctl --emulate DIR update --package <demo> --yes` in this process on a fresh
// mouse each time (40 blocks, 0.46 to 0.47): the whole update's own work. The clock is
// manual; the counter gives the seconds the update waits on top with real sleeps.
void BM_VeltctlUpdateDemoPackage(benchmark::State& state) {
  unsetenv(kFaultsVariable);
  EmulatedMouse mouse;
  if (!mouse.ok()) return state.SkipWithError(mouse.error().c_str());
  Close_device();
  int run = 0;
  std::chrono::microseconds waited{0};
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dir = mouse.dir() + "-" + std::to_string(++run);
    const char* argv[] = {"veltctl",   "--emulate",           dir.c_str(), "update",
                          "--package", VELT_DEMO_PACKAGE_DIR, "--yes"};
    std::ostringstream out, err;
    const auto before = clock().now();
    state.ResumeTiming();
    if (runVeltctl(7, argv, out, err) != 0) return state.SkipWithError(err.str().c_str());
    waited = clock().now() - before;
  }
  state.counters["waits_s"] = std::chrono::duration<double>(waited).count();
}
BENCHMARK(BM_VeltctlUpdateDemoPackage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velt::bench
