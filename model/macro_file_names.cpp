#include "model/macro_file_names.h"

#include <unordered_set>

#include "model/utf8.h"

namespace velt {
namespace {

// Leaves room for the extension, a counter and a temporary file's suffix within the
// 255 bytes of a file name.
constexpr size_t kMaxBaseBytes = 200;
constexpr size_t kMaxCounterBytes = 12;  // "-" and a counter

bool unsafe(uint32_t code, bool first) {
  return code < 0x20 || code == 0x7F || code == '/' || code == '\\' || code == ':' ||
         (first && code == '.');
}

std::string safeBase(const std::string& name) {
  std::string base;
  for (size_t at = 0; at < name.size();) {
    uint32_t code = 0;
    const size_t length = utf8SequenceAt(name, at, code);
    const bool replace = length == 0 || unsafe(code, base.empty());
    const size_t step = length == 0 ? 1 : length;
    if (base.size() + (replace ? 1 : step) > kMaxBaseBytes) break;
    base.append(replace ? std::string_view("_") : std::string_view(name).substr(at, step));
    at += step;
  }
  return base.empty() ? "macro" : base;
}

std::string folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

bool isMacroFileName(std::string_view fileName) {
  if (!fileName.ends_with(kMacroFileExtension)) return false;
  const std::string_view base = fileName.substr(0, fileName.size() - kMacroFileExtension.size());
  if (base.empty() || base.size() > kMaxBaseBytes + kMaxCounterBytes) return false;
  for (size_t at = 0; at < base.size();) {
    uint32_t code = 0;
    const size_t length = utf8SequenceAt(base, at, code);
    if (length == 0 || unsafe(code, at == 0)) return false;
    at += length;
  }
  return true;
}

std::vector<std::string> macroFileNames(const std::vector<std::string>& macroNames,
                                        const std::vector<std::string>& kept) {
  std::vector<std::string> names(macroNames.size());
  std::unordered_set<std::string> taken;
  for (size_t i = 0; i < macroNames.size() && i < kept.size(); ++i) {
    if (isMacroFileName(kept[i]) && taken.insert(folded(kept[i])).second) names[i] = kept[i];
  }
  for (size_t i = 0; i < macroNames.size(); ++i) {
    if (!names[i].empty()) continue;
    const std::string base = safeBase(macroNames[i]);
    std::string candidate = base;
    for (int n = 2; !taken.insert(folded(candidate + std::string(kMacroFileExtension))).second;
         ++n) {
      candidate = base + "-" + std::to_string(n);
    }
    names[i] = candidate + std::string(kMacroFileExtension);
  }
  return names;
}

}  // namespace velt
