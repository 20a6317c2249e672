#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace velt {

// One worker thread that runs tasks handed to it, so that the hand-over never waits.
// Only the newest task waits its turn: one posted while another waits replaces it (the
// latest settings win), and the one running is always finished. The thread starts with
// the first task.
class LatestTaskWorker {
 public:
  LatestTaskWorker() = default;
  // Finishes the task running and the one waiting: what was handed over is done (the
  // settings of an apply right before quitting are still written).
  ~LatestTaskWorker();
  LatestTaskWorker(const LatestTaskWorker&) = delete;
  LatestTaskWorker& operator=(const LatestTaskWorker&) = delete;

  void post(std::function<void()> task);
  // Waits until no task runs or waits.
  void waitUntilIdle();

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<std::function<void()>> waiting_;
  bool running_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace velt
