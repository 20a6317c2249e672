#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "base/log.h"

namespace velt::test {

// Collects the diagnostic lines written while it lives; they no longer reach standard
// error.
class LogCapture {
 public:
  LogCapture() {
    setLogHook([this](const std::string& line) { lines.push_back(line); });
  }
  ~LogCapture() { setLogHook({}); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  bool contains(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  std::vector<std::string> lines;
};

}  // namespace velt::test
