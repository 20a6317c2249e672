#include "model/plist_file.h"

#include <plist/plist.h>

#include <charconv>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

#include "base/log.h"
#include "model/limits.h"
#include "model/plist_guard.h"
#include "model/utf8.h"

namespace velt {
namespace {

struct PlistFree {
  void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

bool nodeText(plist_t node, std::string& text) {
  switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
      uint64_t length = 0;
      const char* chars = plist_get_string_ptr(node, &length);
      text.assign(chars ? chars : "", chars ? length : 0);
      return true;
    }
    case PLIST_UINT: {
      uint64_t value = 0;
      plist_get_uint_val(node, &value);
      text = std::to_string(static_cast<int64_t>(value));
      return true;
    }
    case PLIST_REAL: {
      double value = 0;
      plist_get_real_val(node, &value);
      text = realText(value);
      return true;
    }
    case PLIST_BOOLEAN: {
      uint8_t value = 0;
      plist_get_bool_val(node, &value);
      text.assign(1, value ? '1' : '0');
      return true;
    }
    default:
      return false;
  }
}

// Whether `text` at `at` starts a character XML 1.0 may hold; `length` is its size.
bool xmlCharAt(std::string_view text, size_t at, size_t& length) {
  uint32_t code = 0;
  length = utf8SequenceAt(text, at, code);
  if (length == 0) return false;
  if (code < 0x20) return code == '\t' || code == '\n' || code == '\r';
  return code != 0xFFFE && code != 0xFFFF;
}

std::string xmlSafe(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    size_t length = 0;
    const bool allowed = xmlCharAt(text, at, length);
    safe.append(allowed ? text.substr(at, length) : "\xEF\xBF\xBD");
    at += length == 0 ? 1 : length;
  }
  return safe;
}

}  // namespace

bool parseTextDict(std::string_view bytes, TextDict& dict, std::string& error) {
  FileReadError readError;
  const bool parsed = parseTextDict(bytes, dict, readError);
  if (!parsed) error = std::move(readError.reason);
  return parsed;
}

bool parseTextDict(std::string_view bytes, TextDict& dict, FileReadError& error) {
  if (bytes.size() > kMaxPlistBytes) {
    error = {FileProblem::kTooLarge, "file too large"};
    return false;
  }
  const auto length = static_cast<uint32_t>(bytes.size());
  plist_t root = nullptr;
  if (plist_is_binary(bytes.data(), length)) {
    if (!binaryPlistWithinLimits(bytes, error)) return false;
    plist_from_bin(bytes.data(), length, &root);
  } else {
    if (!xmlPlistWithinLimits(bytes, error)) return false;
    plist_from_xml(bytes.data(), length, &root);
  }
  PlistPtr owner(root);
  if (root == nullptr) {
    error = {FileProblem::kCorrupt, "not a property list"};
    return false;
  }
  if (plist_get_node_type(root) != PLIST_DICT) {
    error = {FileProblem::kCorrupt, "not a dictionary"};
    return false;
  }
  TextDict result;
  plist_dict_iter iter = nullptr;
  plist_dict_new_iter(root, &iter);
  for (;;) {
    char* key = nullptr;
    plist_t value = nullptr;
    plist_dict_next_item(root, iter, &key, &value);
    if (key == nullptr) break;
    std::string text;
    if (value != nullptr && nodeText(value, text)) result.emplace(key, std::move(text));
    free(key);
  }
  free(iter);
  dict = std::move(result);
  return true;
}

bool readTextDict(const std::string& path, TextDict& dict) {
  FileReadError error;
  return readTextDict(path, dict, error);
}

bool readTextDict(const std::string& path, TextDict& dict, FileReadError& error) {
  const std::optional<std::string> bytes = readBoundedFile(path, kMaxPlistBytes, error);
  const bool ok = bytes && parseTextDict(*bytes, dict, error);
  if (!ok) logf("cannot read %s: %s", path.c_str(), error.reason.c_str());
  return ok;
}

std::string toXmlPlist(const TextEntries& entries) {
  PlistPtr root(plist_new_dict());
  for (const auto& [key, value] : entries) {
    plist_dict_set_item(root.get(), xmlSafe(key).c_str(), plist_new_string(xmlSafe(value).c_str()));
  }
  char* xml = nullptr;
  uint32_t length = 0;
  plist_to_xml(root.get(), &xml, &length);
  std::string text(xml ? xml : "", xml ? length : 0);
  plist_to_xml_free(xml);
  return text;
}

bool writeXmlPlist(const std::string& path, const TextEntries& entries, FileWriter& writer) {
  std::string error;
  return writeXmlPlist(path, entries, writer, error);
}

bool writeXmlPlist(const std::string& path, const TextEntries& entries, FileWriter& writer,
                   std::string& error) {
  return writer.replaceFile(path, toXmlPlist(entries), error);
}

std::string integerText(uint32_t value) {
  return std::to_string(static_cast<int32_t>(value));
}

std::string realText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  if (result.ec != std::errc()) return "0.000000";
  return std::string(buffer, result.ptr);
}

std::string exactRealText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

int64_t dictInteger(const TextDict& dict, const std::string& key) {
  const auto found = dict.find(key);
  if (found == dict.end()) return 0;
  const std::string& text = found->second;
  size_t at = text.find_first_not_of(" \t\n\r\f\v");
  if (at == std::string::npos) return 0;
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  int64_t value = 0;
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    const int digit = text[at] - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return negative ? -value : value;
}

float dictReal(const TextDict& dict, const std::string& key) {
  const auto found = dict.find(key);
  if (found == dict.end()) return 0.0f;
  const std::string& text = found->second;
  size_t at = text.find_first_not_of(" \t\n\r\f\v");
  if (at == std::string::npos) return 0.0f;
  if (text[at] == '+') ++at;
  float value = 0.0f;
  const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value);
  return result.ec == std::errc() ? value : 0.0f;
}

std::string dictText(const TextDict& dict, const std::string& key) {
  const auto found = dict.find(key);
  return found == dict.end() ? std::string() : found->second;
}

}  // namespace velt
