#include "model/macro_file_names.h"

#include <unordered_set>

#include "model/utf8.h"

namespace velt {
namespace {

// Leaves room for the extension, a counter and a temporary file's suffix within the
// 255 bytes of a file name.
constexpr size_t kMaxBaseBytes = 200;

std::string safeBase(const std::string& name) {
  std::string base;
  for (size_t at = 0; at < name.size();) {
    uint32_t code = 0;
    const size_t length = utf8SequenceAt(name, at, code);
    const bool unsafe = length == 0 || code < 0x20 || code == 0x7F || code == '/' || code == '\\' ||
                        code == ':' || (base.empty() && code == '.');
    const size_t step = length == 0 ? 1 : length;
    if (base.size() + (unsafe ? 1 : step) > kMaxBaseBytes) break;
    base.append(unsafe ? std::string_view("_") : std::string_view(name).substr(at, step));
    at += step;
  }
  return base.empty() ? "macro" : base;
}

std::string folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

std::vector<std::string> macroFileNames(const std::vector<std::string>& macroNames) {
  std::vector<std::string> names;
  std::unordered_set<std::string> taken;
  for (const std::string& macroName : macroNames) {
    const std::string base = safeBase(macroName);
    std::string candidate = base;
    for (int n = 2; !taken.insert(folded(candidate)).second; ++n) {
      candidate = base + "-" + std::to_string(n);
    }
    names.push_back(candidate + std::string(kMacroFileExtension));
  }
  return names;
}

}  // namespace velt
