#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "updater/firmware_package.h"
#include "updater/update_front_end.h"

namespace velt {

// The firmware update from reading the package to the success dialog, free of any
// window: it drives the device functions and reports each step to its front-end. The
// front-end calls UpdateProcessing (or startSearch for a worker thread), and on the
// user's OK after dialog 4 or 5, V1_UpdateFrFirmware (or startUpdateFWThread).
//
// Every wait goes through the clock seam. At most one worker thread runs at a time and
// it is the only user of the device while it runs. A stop (requestStop, or destroying
// the flow) ends the worker at its next wait or block, leaving the mouse where it is:
// a mouse left in its bootloader is found there by the next run, which sends the
// firmware again.
class UpdateFlow {
 public:
  UpdateFlow(std::string packageFolder, UpdateFrontEnd& frontEnd);
  ~UpdateFlow();
  UpdateFlow(const UpdateFlow&) = delete;
  UpdateFlow& operator=(const UpdateFlow&) = delete;

  // Reads the package, finds the mouse and either offers the update (dialogs 3, 4, 5)
  // or, with the mouse already in its bootloader, transfers at once.
  void UpdateProcessing();
  // Finds the mouse: 1 with mode 1 (normal) or 2 (bootloader) and the device in the
  // slot; 0 with mode 0 after 2 + 100 bootloader attempts.
  int makeSure_Devicemode(int& mode);
  // 1 equal, 2 package older, 3 package newer.
  int CompareFwVersion();
  void CompareUpdateDlg();
  // Switches the mouse in the slot into its bootloader, then V1_UpdateFrBootload.
  int V1_UpdateFrFirmware();

  // The same on the worker thread.
  void startSearch();
  void startUpdateFWThread();
  // Asks the worker to end at its next wait or block; returns at once.
  void requestStop() { stopping_ = true; }
  bool stopRequested() const { return stopping_; }
  // Waits for the worker to end.
  void join();

  int32_t progressPos() const { return m_nProgressPos; }

 private:
  void startWorker(int (UpdateFlow::*work)());
  int searchAndOffer();
  int transferSequence(bool fromNormalMode);
  int enterBootloaderAndTransfer();
  // Start, blocks, completion, the restart wait and the new version.
  int V1_UpdateFrBootload();
  // Reads the restarted mouse's version, with retries: dialog 9 and 1 when it is the
  // package's, dialog 6 and 0 otherwise.
  int confirmNewVersion();
  // Waits on the clock seam, a tenth of a second at a time; false when stopped.
  bool pause(std::chrono::seconds duration);
  bool findBootloader(int attempts, int& found);
  int sendBlocks();
  void reportProgress(int32_t value);
  void show(UpdateDialog dialog, std::string problem = {}, bool mouseInBootloader = false);
  // Dialog 6 with what failed; 0.
  int fail(std::string problem, bool mouseInBootloader = true);

  const std::string packageFolder_;
  UpdateFrontEnd& frontEnd_;
  std::unique_ptr<FirmwarePackage> package_;
  uint16_t m_CompareVersion = 0;
  std::string m_strMVersion;
  std::string m_strFVersion;
  std::atomic<int32_t> m_nProgressPos{0};
  std::atomic<bool> stopping_{false};
  std::thread worker_;
};

}  // namespace velt
