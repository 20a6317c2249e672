#include "model/plist_guard.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/limits.h"

namespace velt {
namespace {

size_t countOf(std::string_view text, std::string_view needle) {
  size_t count = 0;
  for (size_t at = text.find(needle); at != std::string_view::npos;
       at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

// A binary property list ("bplist00"): objects, then a table of object offsets, then
// a 32-byte trailer: 6 unused bytes, offset size, reference size, object count, root
// object, offset table position (the last three 8-byte big-endian).
class BinaryWalker {
 public:
  explicit BinaryWalker(std::string_view bytes) : bytes_(bytes) {}

  bool check(FileReadError& error) {
    if (bytes_.size() < 8 + 32) return fail(error, "truncated binary property list");
    const size_t trailer = bytes_.size() - 32;
    offsetSize_ = byteAt(trailer + 6);
    refSize_ = byteAt(trailer + 7);
    objects_ = number(trailer + 8, 8);
    const uint64_t root = number(trailer + 16, 8);
    tableAt_ = number(trailer + 24, 8);
    if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8 || objects_ == 0 ||
        root >= objects_ || tableAt_ < 8 || tableAt_ > trailer ||
        objects_ > (trailer - tableAt_) / offsetSize_) {
      return fail(error, "broken binary property list");
    }
    int64_t nodes = 0;
    if (!size(root, 0, nodes)) return fail(error, reason_, problem_);
    return true;
  }

 private:
  static bool fail(FileReadError& error, const std::string& reason,
                   FileProblem problem = FileProblem::kCorrupt) {
    error = {problem, reason};
    return false;
  }
  uint8_t byteAt(size_t at) const { return static_cast<uint8_t>(bytes_[at]); }
  uint64_t number(size_t at, size_t width) const {
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) value = (value << 8) | byteAt(at + i);
    return value;
  }

  // Nodes libplist would build for the object, shared objects counted at every use.
  bool size(uint64_t index, int depth, int64_t& nodes) {
    if (depth > kMaxPlistContainers) return stop("property list nested too deeply");
    const uint64_t at = number(tableAt_ + index * offsetSize_, offsetSize_);
    if (at < 8 || at >= tableAt_) return stop("broken binary property list");
    const uint8_t type = byteAt(at) >> 4;
    const bool container = type == 0xA || type == 0xC || type == 0xD;
    if (!container) return add(nodes, 1);
    auto known = sizes_.find(index);
    if (known != sizes_.end()) {
      if (known->second < 0) return stop("binary property list refers to itself");
      return add(nodes, known->second);
    }
    sizes_[index] = -1;
    uint64_t count = 0;
    uint64_t refsAt = 0;
    if (!header(at, count, refsAt)) return stop("broken binary property list");
    if (type == 0xD) count *= 2;
    if (count > (tableAt_ - refsAt) / refSize_) return stop("broken binary property list");
    int64_t own = 1;
    for (uint64_t i = 0; i < count; ++i) {
      const uint64_t child = number(refsAt + i * refSize_, refSize_);
      if (child >= objects_) return stop("broken binary property list");
      // A dictionary's first half of references are its keys.
      if (type == 0xD && i < count / 2 && !keyWithoutNul(child)) return false;
      if (!size(child, depth + 1, own)) return false;
    }
    sizes_[index] = own;
    return add(nodes, own);
  }

  // libplist aborts the program (a failed assertion) when it hands out a key whose text
  // holds a NUL character, which only a UTF-16 key (type 6) can bring (an ASCII key ends
  // at its first NUL), so such a file is refused.
  bool keyWithoutNul(uint64_t index) {
    const uint64_t at = number(tableAt_ + index * offsetSize_, offsetSize_);
    if (at < 8 || at >= tableAt_) return stop("broken binary property list");
    if (byteAt(at) >> 4 != 0x6) return true;
    uint64_t units = 0;
    uint64_t textAt = 0;
    if (!header(at, units, textAt) || units > (tableAt_ - textAt) / 2) {
      return stop("broken binary property list");
    }
    for (uint64_t i = 0; i < units; ++i) {
      if (number(textAt + 2 * i, 2) == 0) {
        return stop("binary property list with a NUL character in a key");
      }
    }
    return true;
  }

  // Element count and where the references start; counts of 15 or more follow the
  // marker as an integer object.
  bool header(uint64_t at, uint64_t& count, uint64_t& refsAt) const {
    count = byteAt(at) & 0x0F;
    refsAt = at + 1;
    if (count != 0x0F) return true;
    if (refsAt >= tableAt_ || (byteAt(refsAt) >> 4) != 0x1) return false;
    const uint64_t width = uint64_t{1} << (byteAt(refsAt) & 0x0F);
    if (width > 8 || refsAt + 1 + width > tableAt_) return false;
    count = number(refsAt + 1, width);
    refsAt += 1 + width;
    return true;
  }

  bool add(int64_t& nodes, int64_t more) {
    nodes += more;
    return nodes <= kMaxPlistNodes || stop("property list too large", FileProblem::kTooLarge);
  }
  bool stop(const char* reason, FileProblem problem = FileProblem::kCorrupt) {
    reason_ = reason;
    problem_ = problem;
    return false;
  }

  std::string_view bytes_;
  uint64_t offsetSize_ = 0;
  uint64_t refSize_ = 0;
  uint64_t objects_ = 0;
  uint64_t tableAt_ = 0;
  std::unordered_map<uint64_t, int64_t> sizes_;  // -1 while being counted
  std::string reason_;
  FileProblem problem_ = FileProblem::kCorrupt;
};

}  // namespace

// Counting every opening tag anywhere (comments included) bounds the nesting depth
// from above whatever the parser makes of the text; each node takes at least one '<'.
bool xmlPlistWithinLimits(std::string_view bytes, FileReadError& error) {
  const size_t containers = countOf(bytes, "<array") + countOf(bytes, "<dict");
  if (containers > static_cast<size_t>(kMaxPlistContainers)) {
    error = {FileProblem::kCorrupt, "property list nested too deeply"};
    return false;
  }
  if (countOf(bytes, "<") > static_cast<size_t>(2 * kMaxPlistNodes)) {
    error = {FileProblem::kTooLarge, "property list too large"};
    return false;
  }
  return true;
}

bool binaryPlistWithinLimits(std::string_view bytes, FileReadError& error) {
  return BinaryWalker(bytes).check(error);
}

}  // namespace velt
