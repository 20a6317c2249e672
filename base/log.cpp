#include "base/log.h"

#include <syslog.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <vector>

namespace velt {
namespace {

std::mutex& hookMutex() {
  static std::mutex m;
  return m;
}

LogHook& hookSlot() {
  static LogHook hook;
  return hook;
}

void emit(std::string_view line, bool toStandardError) {
  const std::string text(line);
  syslog(LOG_INFO, "%s", text.c_str());
  if (toStandardError) std::fprintf(stderr, "%s\n", text.c_str());
  std::lock_guard<std::mutex> lock(hookMutex());
  if (hookSlot()) hookSlot()(text);
}

}  // namespace

void logLine(std::string_view line) {
  emit(line, isatty(STDERR_FILENO));
}

void reportLine(std::string_view line) {
  emit(line, true);
}

void logf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) + 1 : 1, '\0');
  if (size > 0) std::vsnprintf(buffer.data(), buffer.size(), format, args);
  va_end(args);
  logLine(buffer.data());
}

void setLogHook(LogHook hook) {
  std::lock_guard<std::mutex> lock(hookMutex());
  hookSlot() = std::move(hook);
}

}  // namespace velt
