#include "updater/update_flow.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "base/clock.h"
#include "base/log.h"
#include "device/bootloader.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "device/mouse_lock.h"

namespace velt {
namespace {

using namespace std::chrono_literals;

// Bootloader attempts: two quick ones, then (after telling the user) a hundred more in
// the search; two hundred after asking the mouse to restart into its bootloader.
constexpr int kQuickBootloaderAttempts = 2;
constexpr int kLongBootloaderAttempts = 100;
constexpr int kRestartBootloaderAttempts = 200;
// Send_bl_request: the first request and up to this many more.
constexpr int kRequestRetries = 3;
constexpr auto kRequestRetryWait = 2s;
constexpr auto kAttemptWait = 1s;
// The bootloader's settling time after it appeared, and the mouse's restart after
// completion.
constexpr auto kRestartWait = 10s;
constexpr auto kStepWait = 1s;
// After the restart wait the mouse may still be coming back on the bus: its version is
// read this many times, a second apart, before the update counts as unconfirmed.
constexpr int kVersionReadAttempts = 10;
constexpr auto kStopCheck = std::chrono::microseconds(100ms);

constexpr const char* kRunAgain = "run the updater again";

// Whether the host lists the mouse, in either mode, though it could not be opened (no
// permission on its node, for one).
bool veltMouseAttached() {
  return isMouseAttached(kNormalProductId) || isMouseAttached(kBootloaderProductId);
}

}  // namespace

UpdateFlow::UpdateFlow(std::string packageFolder, UpdateFrontEnd& frontEnd)
    : packageFolder_(std::move(packageFolder)),
      frontEnd_(frontEnd),
      package_(std::make_unique<FirmwarePackage>()) {}

UpdateFlow::~UpdateFlow() {
  requestStop();
  join();
}

void UpdateFlow::UpdateProcessing() {
  searchAndOffer();
}

int UpdateFlow::searchAndOffer() {
  std::string problem;
  if (ReadBinFile(packageFolder_, *package_, problem) != 1) {
    show(UpdateDialog::kFileIncorrect, problem);
    return 0;
  }
  int mode = 0;
  makeSure_Devicemode(mode);
  if (stopping_) return 0;
  if (mode == 1) {
    logLine("make sure open fwdevice success");
    uint16_t version = 0;
    if (DeviceResult result = Get_fw_version(version); result != kResultSuccess) {
      return fail("the mouse's firmware version cannot be read (Get_fw_version failed: " +
                      std::to_string(result) + "); reconnect the mouse and " + kRunAgain,
                  false);
    }
    m_CompareVersion = version;
    m_strMVersion = firmwareVersionText(version);
    logLine(m_strMVersion);
    CompareUpdateDlg();
    return 1;
  }
  if (mode == 2) {
    logLine("make sure open bldevice success");
    show(UpdateDialog::kUpdating);
    return transferSequence(false);
  }
  logLine("not find fwdevice or bldevice");
  show(UpdateDialog::kNotFindDevice,
       veltMouseAttached()
           ? "the VELT mouse is attached but cannot be opened; install the VELT package, or "
             "for a source build the udev rule packaging/70-velt.rules, then plug the mouse "
             "in again"
           : "no VELT mouse found, in normal or in bootloader mode; connect it and " +
                 std::string(kRunAgain));
  return 0;
}

int UpdateFlow::makeSure_Devicemode(int& mode) {
  mode = 0;
  if (Open_device()) {
    logLine("Open fwdevice success");
    mode = 1;
    return 1;
  }
  logLine("Open fwdevice failed");
  int attempt = 0;
  if (findBootloader(kQuickBootloaderAttempts, attempt)) {
    mode = 2;
    return 1;
  }
  if (stopping_) return 0;
  logLine("Try to open bldevice twice failed after open fwdevice");
  frontEnd_.alertBootloaderSearch();
  if (findBootloader(kLongBootloaderAttempts, attempt)) {
    mode = 2;
    return 1;
  }
  if (!stopping_) logLine("Try to open bldevice 100 times failed");
  return 0;
}

int UpdateFlow::CompareFwVersion() {
  m_strFVersion = firmwareVersionText(package_->m_nFileVersion);
  if (package_->m_nFileVersion == m_CompareVersion) return 1;
  return package_->m_nFileVersion < m_CompareVersion ? 2 : 3;
}

void UpdateFlow::CompareUpdateDlg() {
  switch (CompareFwVersion()) {
    case 3:
      show(UpdateDialog::kUpdateOffered);
      break;
    case 2:
      show(UpdateDialog::kFirmwareNewer);
      break;
    default:
      show(UpdateDialog::kUpToDate);
      break;
  }
}

int UpdateFlow::V1_UpdateFrFirmware() {
  return transferSequence(true);
}

// Both ways into a transfer meet here. From the enter request (or, with the mouse
// already in its bootloader, the start) to the restart, the update is one sequence on
// the mouse that nothing else may interleave with: it holds the mouse for the whole
// call, so another program's commands wait and VELTPLUS's poll skips its beats.
int UpdateFlow::transferSequence(bool fromNormalMode) {
  // Another program may hold the mouse for a while: wait for it a tenth of a second at a
  // time, so that quitting meanwhile is never held up.
  std::optional<MouseLock> mouse;
  while (!mouse.emplace(std::try_to_lock).held()) {
    if (stopping_) return 0;
    clock().sleepFor(kStopCheck);
  }
  return fromNormalMode ? enterBootloaderAndTransfer() : V1_UpdateFrBootload();
}

int UpdateFlow::enterBootloaderAndTransfer() {
  if (Send_bl_request() != kResultSuccess) {
    logLine("send_bl_request failed ");
    bool sent = false;
    for (int retry = 0; retry < kRequestRetries && !sent; ++retry) {
      sent = Send_bl_request() == kResultSuccess;
      if (!sent && !pause(kRequestRetryWait)) return 0;
    }
    if (!sent) {
      logLine("send_bl_request failed  3 times");
      return fail(
          "the mouse refused to restart into its bootloader (4 requests); reconnect it and " +
              std::string(kRunAgain),
          false);
    }
  }
  Close_device();
  int attempt = 0;
  if (!findBootloader(kRestartBootloaderAttempts, attempt)) {
    if (stopping_) return 0;
    logLine("try to open bldevice 200 times failed");
    return fail(
        "the mouse's bootloader did not appear within 200 seconds; reconnect the mouse and " +
            std::string(kRunAgain),
        false);
  }
  logf("try to open bldevice success at %d", kRestartBootloaderAttempts + 1 - attempt);
  if (!pause(kRestartWait)) return 0;
  return V1_UpdateFrBootload();
}

int UpdateFlow::V1_UpdateFrBootload() {
  if (Send_bl_start(0) != kResultSuccess) {
    logLine("Send_bl_start failed");
    return fail("the bootloader refused the start (Send_bl_start failed)");
  }
  logLine("Send_bl_start success");
  reportProgress(2);
  if (!pause(kStepWait) || !sendBlocks() || !pause(kStepWait)) return 0;
  if (Send_bl_complete() != kResultSuccess) {
    logLine("Send_bl_complete failed");
    Close_device();
    return fail("the bootloader did not take the completion (Send_bl_complete failed)");
  }
  show(UpdateDialog::kUpdateCompleted);
  if (!pause(kRestartWait)) return 0;
  logLine("Send_bl_complete success");
  return confirmNewVersion();
}

// Success is the restarted mouse running the package's version, nothing less: a
// firmware the mouse did not take, or one naming another version, is a failure.
int UpdateFlow::confirmNewVersion() {
  std::optional<uint16_t> running;
  for (int attempt = 1; attempt <= kVersionReadAttempts && !running; ++attempt) {
    if (Open_device()) {
      if (uint16_t version = 0; Get_fw_version(version) == kResultSuccess) running = version;
    }
    Close_device();
    if (!running && attempt < kVersionReadAttempts && !pause(kAttemptWait)) return 0;
  }
  if (stopping_) return 0;
  if (!running) {
    return fail("the firmware was sent, but the restarted mouse's version could not be read (" +
                    std::to_string(kVersionReadAttempts) + " attempts); reconnect the mouse and " +
                    kRunAgain + " to see its version",
                false);
  }
  m_strMVersion = firmwareVersionText(*running);
  logLine("update firmware " + m_strMVersion);
  if (*running != package_->m_nFileVersion) {
    return fail("the firmware was sent, but the mouse restarted running firmware " + m_strMVersion +
                    ", not the package's " + firmwareVersionText(package_->m_nFileVersion),
                false);
  }
  show(UpdateDialog::kUpdateSuccess);
  return 1;
}

int UpdateFlow::sendBlocks() {
  const uint32_t total = package_->total_block_number;
  for (uint32_t block = 0; block < total; ++block) {
    if (stopping_) return 0;
    logLine("send firmware data to mouse");
    const std::array<uint8_t, kDataBlockSize>& data = package_->fw_data_block[block];
    if (Send_fw_block(block, data) != kResultSuccess) {
      logf("Send_fw_block failed %d", static_cast<int>(total));
      if (Send_fw_block(block, data) != kResultSuccess) {
        logLine("Send_fw_block failed one more");
        return fail("block " + std::to_string(block + 1) + " of " + std::to_string(total) +
                    " could not be sent twice (Send_fw_block failed)");
      }
    }
    reportProgress(static_cast<int32_t>(100 * block / total + 2));
  }
  return 1;
}

bool UpdateFlow::findBootloader(int attempts, int& found) {
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    if (stopping_) return false;
    if (Open_bl_device()) {
      found = attempt;
      return true;
    }
    if (!pause(kAttemptWait)) return false;
  }
  return false;
}

bool UpdateFlow::pause(std::chrono::seconds duration) {
  for (std::chrono::microseconds left = duration; left.count() > 0; left -= kStopCheck) {
    if (stopping_) return false;
    clock().sleepFor(std::min(left, kStopCheck));
  }
  return !stopping_;
}

void UpdateFlow::reportProgress(int32_t value) {
  m_nProgressPos = value;
  if (!stopping_) frontEnd_.showProgress(value);
}

void UpdateFlow::show(UpdateDialog dialog, std::string problem, bool mouseInBootloader) {
  if (stopping_) return;
  UpdateStep step;
  step.dialog = dialog;
  step.mouseVersion = m_strMVersion;
  step.packageVersion = m_strFVersion;
  step.problem = std::move(problem);
  step.packageFolder = packageFolder_;
  step.mouseInBootloader = mouseInBootloader;
  frontEnd_.showDialog(step);
}

int UpdateFlow::fail(std::string problem, bool mouseInBootloader) {
  if (mouseInBootloader) {
    problem += "; the mouse waits in its bootloader: " + std::string(kRunAgain) +
               " to send the firmware again";
  }
  show(UpdateDialog::kEncounterProblem, std::move(problem), mouseInBootloader);
  return 0;
}

void UpdateFlow::startSearch() {
  startWorker(&UpdateFlow::searchAndOffer);
}

void UpdateFlow::startUpdateFWThread() {
  startWorker(&UpdateFlow::V1_UpdateFrFirmware);
}

void UpdateFlow::startWorker(int (UpdateFlow::*work)()) {
  join();
  worker_ = std::thread([this, work] { (this->*work)(); });
}

void UpdateFlow::join() {
  if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
}

}  // namespace velt
