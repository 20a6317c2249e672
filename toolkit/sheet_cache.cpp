#include "toolkit/sheet_cache.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <utility>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#define VELT_HAS_MMAP 1
#endif

#if __has_include(<link.h>)
#include <elf.h>
#include <link.h>
#define VELT_HAS_BUILD_ID 1
#endif

#include "base/file_read.h"
#include "base/file_writer.h"
#include "base/log.h"

namespace velt {

namespace {

// The file's head: what the pixels are and which build drew them. 96 bytes, so that the
// pixels after it start on a 16-byte boundary of the buffer read.
struct Header {
  char magic[8];
  char buildKey[64];
  uint32_t width;
  uint32_t height;
  uint32_t format;
  uint32_t ratioThousandths;
  uint32_t reserved[2];
};
static_assert(sizeof(Header) == SheetPixels::kPixelOffset);
constexpr char kMagic[8] = {'V', 'E', 'L', 'T', 'P', 'I', 'X', '1'};
constexpr std::string_view kSuffix = ".pixels";

uint32_t thousandths(double ratio) {
  return static_cast<uint32_t>(std::lround(ratio * 1000));
}

// A number in points or a ratio as a file name shows it: "2", "1.5", "-12.25".
std::string decimalText(double value) {
  const long long t = std::llround(value * 1000);
  std::string text = (t < 0 ? "-" : "") + std::to_string(std::llabs(t) / 1000);
  if (const long long fraction = std::llabs(t) % 1000) {
    std::string digits = std::to_string(1000 + fraction).substr(1);
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text;
}

Header headerFor(const std::string& buildKey, int width, int height, SheetPixels::Format format,
                 double ratio) {
  Header header{};
  std::memcpy(header.magic, kMagic, sizeof kMagic);
  std::memcpy(header.buildKey, buildKey.data(), std::min(buildKey.size(), sizeof header.buildKey));
  header.width = static_cast<uint32_t>(width);
  header.height = static_cast<uint32_t>(height);
  header.format = static_cast<uint32_t>(format);
  header.ratioThousandths = thousandths(ratio);
  return header;
}

bool validFormat(uint32_t format) {
  return format == static_cast<uint32_t>(SheetPixels::Format::kOpaque) ||
         format == static_cast<uint32_t>(SheetPixels::Format::kPremultiplied);
}

// Sheet names come from the programs' tables; anything that could leave the folder is
// not kept.
bool safeName(std::string_view sheet) {
  return !sheet.empty() && sheet.front() != '.' && sheet.find('/') == std::string_view::npos;
}

bool ownFile(const std::string& name) {
  return name.size() > kSuffix.size() && name.ends_with(kSuffix);
}

SheetCache*& active() {
  static SheetCache* cache = nullptr;
  return cache;
}

}  // namespace

PixelBuffer::PixelBuffer(size_t size) {
  if (size == 0) return;
#ifdef VELT_HAS_MMAP
  void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (memory == MAP_FAILED) return;
  data_ = static_cast<char*>(memory);
#else
  data_ = new (std::nothrow) char[size];
  if (!data_) return;
#endif
  size_ = size;
}

PixelBuffer::~PixelBuffer() {
  if (!data_) return;
#ifdef VELT_HAS_MMAP
  ::munmap(data_, size_);
#else
  delete[] data_;
#endif
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
  if (this != &other) {
    PixelBuffer gone(std::move(*this));
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

SheetPixels::SheetPixels(int width, int height, Format format)
    : width(width),
      height(height),
      format(format),
      buffer(width > 0 && height > 0 ? kPixelOffset + pixelBytesFor(width, height) : 0) {}

SheetCache::SheetCache(std::string folder, std::string buildKey)
    : folder_(std::move(folder)), buildKey_(std::move(buildKey)) {}

size_t SheetCache::budgetAt(double ratio) {
  return static_cast<size_t>(8.0 * 1024 * 1024 * std::max(1.0, ratio * ratio));
}

size_t SheetCache::keptBytesAt(double ratio, const std::string& path) const {
  // Every file of a ratio ends alike: "@2.pixels" for "Main_Normal.bmp@2.pixels".
  const std::string ending = filePath("", ratio).substr(folder_.size() + 1);
  size_t total = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
    const std::string name = entry.path().filename().string();
    if (!name.ends_with(ending) || entry.path().string() == path) continue;
    std::error_code sizeError;
    if (entry.is_regular_file(sizeError)) total += entry.file_size(sizeError);
  }
  return total;
}

std::string SheetCache::filePath(std::string_view sheet, double ratio) const {
  return folder_ + "/" + std::string(sheet) + "@" + decimalText(ratio) + std::string(kSuffix);
}

std::string SheetCache::pieceName(std::string_view sheet, const Rect& rect) {
  return std::string(sheet) + "#" + decimalText(rect.x) + "," + decimalText(rect.y) + "," +
         decimalText(rect.width) + "x" + decimalText(rect.height);
}

std::optional<SheetPixels> SheetCache::read(std::string_view sheet, double ratio, int width,
                                            int height) const {
  if (buildKey_.empty() || !safeName(sheet) || width <= 0 || height <= 0) return std::nullopt;
  SheetPixels pixels(width, height, SheetPixels::Format::kOpaque);
  FileReadError error;
  if (!pixels.valid() ||
      !readExactFile(filePath(sheet, ratio), {pixels.buffer.data(), pixels.buffer.size()}, error))
    return std::nullopt;
  Header header{};
  std::memcpy(&header, pixels.buffer.data(), sizeof header);
  const Header expected = headerFor(buildKey_, width, height, SheetPixels::Format::kOpaque, ratio);
  if (std::memcmp(header.magic, expected.magic, sizeof header.magic) != 0 ||
      std::memcmp(header.buildKey, expected.buildKey, sizeof header.buildKey) != 0 ||
      header.width != expected.width || header.height != expected.height ||
      header.ratioThousandths != expected.ratioThousandths || !validFormat(header.format))
    return std::nullopt;
  pixels.format = static_cast<SheetPixels::Format>(header.format);
  return pixels;
}

void SheetCache::write(std::string_view sheet, double ratio, int width, int height,
                       std::function<SheetPixels()> make) {
  if (buildKey_.empty() || folder_.empty() || !safeName(sheet) || width <= 0 || height <= 0) return;
  {
    std::lock_guard lock(mutex_);
    pending_.push_back({filePath(sheet, ratio), ratio,
                        SheetPixels::kPixelOffset + SheetPixels::pixelBytesFor(width, height),
                        std::move(make)});
  }
  // A task still waiting takes this write too: it writes all that is pending.
  worker_.post([this] { writePending(); });
}

void SheetCache::writePending() {
  if (!folderMade_) {
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    removeStaleTempFiles(folder_, ownFile);
    folderMade_ = true;
  }
  for (;;) {
    std::unique_lock lock(mutex_);
    if (pending_.empty()) return;
    const PendingWrite next = std::move(pending_.front());
    pending_.pop_front();
    lock.unlock();
    writeFile(next);
  }
}

void SheetCache::writeFile(const PendingWrite& next) {
  // Checked before the pixels are copied: a sheet that has no room costs nothing.
  if (keptBytesAt(next.ratio, next.path) + next.bytes > budgetAt(next.ratio)) return;
  const SheetPixels pixels = next.make();
  if (!pixels.valid() || pixels.buffer.size() != next.bytes) return;
  const Header header =
      headerFor(buildKey_, pixels.width, pixels.height, pixels.format, next.ratio);
  std::memcpy(pixels.buffer.data(), &header, sizeof header);
  std::string error;
  // A cache that cannot be written costs the next start a drawing, nothing more.
  if (!systemFileWriter().replaceFile(
          next.path, std::string_view(pixels.buffer.data(), pixels.buffer.size()), error))
    logf("sheet cache: %s not kept: %s", next.path.c_str(), error.c_str());
}

std::string programBuildKey() {
#ifdef VELT_HAS_BUILD_ID
  std::string key;
  // The first object dl_iterate_phdr reports is the program itself.
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* out) {
        auto& found = *static_cast<std::string*>(out);
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& segment = info->dlpi_phdr[i];
          if (segment.p_type != PT_NOTE) continue;
          const char* at = reinterpret_cast<const char*>(info->dlpi_addr + segment.p_vaddr);
          const char* end = at + segment.p_memsz;
          while (at + sizeof(ElfW(Nhdr)) <= end) {
            ElfW(Nhdr) note;
            std::memcpy(&note, at, sizeof note);
            const char* name = at + sizeof note;
            const char* desc = name + ((note.n_namesz + 3) & ~3u);
            at = desc + ((note.n_descsz + 3) & ~3u);
            if (at > end) break;
            if (note.n_type == NT_GNU_BUILD_ID && note.n_namesz == 4 &&
                std::memcmp(name, "GNU", 4) == 0) {
              static constexpr char kHex[] = "0123456789abcdef";
              for (uint32_t b = 0; b < note.n_descsz && found.size() < 64; ++b) {
                const auto byte = static_cast<unsigned char>(desc[b]);
                found += kHex[byte >> 4];
                found += kHex[byte & 15];
              }
              return 1;
            }
          }
        }
        return 1;  // only the program itself
      },
      &key);
  return key;
#else
  return {};
#endif
}

std::string defaultSheetCacheFolder() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/')
    return std::string(cache) + "/velt/sheets";
  if (const char* home = std::getenv("HOME"); home && home[0] == '/')
    return std::string(home) + "/.cache/velt/sheets";
  return {};
}

SheetCache* activeSheetCache() {
  return active();
}

ScopedSheetCache::ScopedSheetCache() : ScopedSheetCache(defaultSheetCacheFolder()) {}

ScopedSheetCache::ScopedSheetCache(std::string folder) {
  if (folder.empty()) return;
  cache_ = std::make_unique<SheetCache>(std::move(folder), programBuildKey());
  active() = cache_.get();
}

ScopedSheetCache::~ScopedSheetCache() {
  if (cache_ && active() == cache_.get()) active() = nullptr;
}

}  // namespace velt
