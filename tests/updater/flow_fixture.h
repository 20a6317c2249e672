#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/log.h"
#include "device/bootloader.h"
#include "device/hid_device.h"
#include "tests/emulator/raw_mouse.h"
#include "tests/support/gated_clock.h"
#include "tests/support/temp_folder.h"
#include "updater/demo_package.h"
#include "updater/update_flow.h"

namespace velt {

// Records what the flow reports, from whichever thread it reports.
class RecordingFrontEnd : public UpdateFrontEnd {
 public:
  void showDialog(const UpdateStep& step) override {
    std::lock_guard<std::mutex> lock(mutex_);
    steps_.push_back(step);
  }
  void showProgress(int32_t value) override {
    std::function<void(int32_t)> hook;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      progress_.push_back(value);
      hook = onProgress;
    }
    if (hook) hook(value);
  }
  void alertBootloaderSearch() override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++alerts_;
  }

  std::vector<int32_t> dialogs() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<int32_t> numbers;
    for (const UpdateStep& step : steps_) numbers.push_back(static_cast<int32_t>(step.dialog));
    return numbers;
  }
  UpdateStep last() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return steps_.empty() ? UpdateStep{} : steps_.back();
  }
  std::vector<int32_t> progress() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return progress_;
  }
  int alerts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return alerts_;
  }

  // Runs on the reporting thread after each progress value (set before the flow runs).
  std::function<void(int32_t)> onProgress;

 private:
  mutable std::mutex mutex_;
  std::vector<UpdateStep> steps_;
  std::vector<int32_t> progress_;
  int alerts_ = 0;
};

// An emulated mouse in a temporary folder, a package folder beside it, the manual
// clock and the diagnostic lines.
class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const test::InstalledGatedClock installed = test::installGatedManualClock();
    time_ = installed.time;
    gate_ = installed.gate;
    setLogHook([this](const std::string& line) {
      std::function<void(const std::string&)> hook;
      {
        std::lock_guard<std::mutex> lock(logMutex_);
        log_.push_back(line);
        hook = onLog;
      }
      logged_.notify_all();
      if (hook) hook(line);
    });
    useMouse();
  }
  void TearDown() override {
    Close_device();
    setHidHost(nullptr);
    setLogHook({});
    setClock(nullptr);
  }

  std::string mouse() const { return folder.path() + "/mouse"; }
  std::string package() const { return folder.path() + "/package"; }

  // A fresh process's view of the mouse, with these faults.
  void useMouse(const std::string& faults = "") {
    Close_device();
    setHidHost(makeHost(mouse(), faults));
  }
  void writePackage(uint16_t version, size_t bytes) {
    std::string error;
    ASSERT_TRUE(writeFirmwarePackage(package(), version, "fw",
                                     emulatedFirmwareImage(version, bytes), false, error))
        << error;
  }
  // Leaves the mouse restarting into its bootloader, as an update cut short does.
  void sendMouseToBootloader(const std::string& faults = "") {
    useMouse(faults);
    ASSERT_TRUE(Open_device());
    ASSERT_EQ(Send_bl_request(), kResultSuccess);
    Close_device();
  }

  std::chrono::seconds waited() const {
    return std::chrono::duration_cast<std::chrono::seconds>(time_->now());
  }
  bool logged(const std::string& line) const {
    std::lock_guard<std::mutex> lock(logMutex_);
    return std::find(log_.begin(), log_.end(), line) != log_.end();
  }
  long count(const std::string& line) const {
    std::lock_guard<std::mutex> lock(logMutex_);
    return std::count(log_.begin(), log_.end(), line);
  }
  // Waits, at most `bound` of real time, until the line is logged (from any thread).
  ::testing::AssertionResult waitForLog(const std::string& line,
                                        std::chrono::seconds bound = std::chrono::seconds(60)) {
    std::unique_lock<std::mutex> lock(logMutex_);
    if (logged_.wait_for(lock, bound,
                         [&] { return std::find(log_.begin(), log_.end(), line) != log_.end(); }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << line << "\" was not logged within " << bound.count() << " s";
  }
  // The gate in front of the manual clock, open unless a test closes it: a worker that
  // sleeps meanwhile stays at that pause until it opens.
  test::GatedClock& gate() { return *gate_; }

  test::TempFolder folder;
  RecordingFrontEnd frontEnd;
  ManualClock* time_ = nullptr;
  test::GatedClock* gate_ = nullptr;
  // Runs on the logging thread after each diagnostic line (set before a worker starts).
  std::function<void(const std::string&)> onLog;

 private:
  mutable std::mutex logMutex_;
  std::condition_variable logged_;
  std::vector<std::string> log_;
};

}  // namespace velt
