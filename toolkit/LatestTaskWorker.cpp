#include "toolkit/LatestTaskWorker.h"

namespace velt {

LatestTaskWorker::~LatestTaskWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void LatestTaskWorker::post(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = std::move(task);
    if (!thread_.joinable()) thread_ = std::thread(&LatestTaskWorker::run, this);
  }
  changed_.notify_all();
}

void LatestTaskWorker::waitUntilIdle() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !running_ && !waiting_; });
}

void LatestTaskWorker::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || waiting_; });
    if (!waiting_) return;
    std::function<void()> task = std::move(*waiting_);
    waiting_.reset();
    running_ = true;
    lock.unlock();
    task();
    lock.lock();
    running_ = false;
    changed_.notify_all();
  }
}

}  // namespace velt
