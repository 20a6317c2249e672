#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "base/log.h"

namespace velt::test {

// Collects the diagnostic lines written while it lives; they no longer reach standard
// error. Any thread may log meanwhile (add and contains lock); read `lines` itself once
// the threads that log are done.
class LogCapture {
 public:
  LogCapture() {
    setLogHook([this](const std::string& line) { add(line); });
  }
  ~LogCapture() { setLogHook({}); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // A line of the test's own, in order with the logged ones.
  void add(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines.push_back(line);
  }
  bool contains(const std::string& line) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  std::vector<std::string> lines;

 private:
  mutable std::mutex mutex_;
};

}  // namespace velt::test
