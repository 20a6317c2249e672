#include "emulator/fault_list.h"

#include <charconv>
#include <limits>

namespace velt {
namespace {

constexpr long kMaxCount = std::numeric_limits<int>::max();
constexpr long kMaxLatencyUs = 10'000'000;

bool parseValue(std::string_view text, int base, long min, long max, long& value) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value, base);
  return !text.empty() && error == std::errc() && stop == end && value >= min && value <= max;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// One "name=value" item into `faults`; false with the reason in `error`.
bool applyItem(std::string_view item, FaultList& faults, std::string& error) {
  const size_t equals = item.find('=');
  const std::string_view name = item.substr(0, equals);
  const std::string_view text = equals == std::string_view::npos ? "" : item.substr(equals + 1);
  long value = 0;
  bool valid = false;
  if (name == "busy") {
    if ((valid = parseValue(text, 10, 0, kMaxCount, value))) faults.busy = static_cast<int>(value);
  } else if (name == "fail-cmd") {
    valid = text.size() <= 2 && parseValue(text, 16, 0, 0xFF, value);
    if (valid) faults.failedCommands.insert(static_cast<uint8_t>(value));
  } else if (name == "drop-set" || name == "drop-get") {
    if ((valid = parseValue(text, 10, 1, kMaxCount, value))) {
      (name == "drop-set" ? faults.droppedSets : faults.droppedGets).insert(value);
    }
  } else if (name == "unplug-after") {
    if ((valid = parseValue(text, 10, 0, kMaxCount, value))) faults.unplugAfter = value;
  } else if (name == "latency-us") {
    if ((valid = parseValue(text, 10, 0, kMaxLatencyUs, value))) faults.latencyUs = value;
  } else if (name == "bl-appear-after") {
    valid = parseValue(text, 10, 1, kMaxCount, value);
    if (valid) faults.bootloaderAppearAfter = static_cast<int>(value);
  } else {
    error = std::string(kFaultsVariable) + ": unknown fault \"" + std::string(item) + "\"";
    return false;
  }
  if (!valid) {
    error = std::string(kFaultsVariable) + ": bad value in \"" + std::string(item) + "\"";
  }
  return valid;
}

}  // namespace

bool parseFaultList(std::string_view text, FaultList& faults, std::string& error) {
  const std::string whole(text);
  FaultList parsed;
  if (trimmed(text).empty()) {
    faults = parsed;
    return true;
  }
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view item = trimmed(text.substr(0, comma));
    if (item.empty()) {
      error = std::string(kFaultsVariable) + ": empty item in \"" + whole + "\"";
      return false;
    }
    if (!applyItem(item, parsed, error)) return false;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  faults = parsed;
  return true;
}

}  // namespace velt
