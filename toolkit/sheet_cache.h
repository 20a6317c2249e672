#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/LatestTaskWorker.h"
#include "toolkit/geometry.h"

namespace velt {

// Memory for a picture's pixels, taken from the system whole and made present at once:
// fresh memory that a 2 MB file is read into otherwise faults in page by page, which
// costs more than the read itself.
class PixelBuffer {
 public:
  PixelBuffer() = default;
  // `size` bytes; none where the system has not that much.
  explicit PixelBuffer(size_t size);
  ~PixelBuffer();
  PixelBuffer(PixelBuffer&& other) noexcept;
  PixelBuffer& operator=(PixelBuffer&& other) noexcept;

  char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
};

// The pixels of one drawn sheet as they are drawn to the screen: rows from the top, four
// bytes a pixel in the machine's order, no padding. They lie `kPixelOffset` bytes into
// the buffer, after room for the cache file's head, so that a file is read and written
// whole, without a copy.
struct SheetPixels {
  enum class Format : uint32_t { kOpaque = 1, kPremultiplied = 2 };
  static constexpr size_t kPixelOffset = 96;

  SheetPixels() = default;
  // Room for width x height pixels, not yet set.
  SheetPixels(int width, int height, Format format);

  int width = 0;
  int height = 0;
  Format format = Format::kOpaque;
  PixelBuffer buffer;

  static size_t pixelBytesFor(int width, int height) {
    return static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  }
  bool valid() const {
    return width > 0 && height > 0 && buffer.size() == kPixelOffset + pixelBytesFor(width, height);
  }
  char* pixels() const { return buffer.data() + kPixelOffset; }
  size_t pixelBytes() const { return pixelBytesFor(width, height); }
};

// Sheets drawn by an earlier run of the same build, kept in a folder of the user's cache
// as ready-to-draw pixels, so that a start reads the sheets its first paint shows instead
// of drawing them (the main window's 800 x 600 background takes about 3 ms to draw and
// under 1 ms to read). One file a sheet and ratio, "Main_Normal.bmp@2.pixels",
// headed by the build's key: another build's file, a cut or a foreign one is not used,
// and the next write replaces it. Writes run on a worker thread, finished when the cache
// is destroyed. The folder keeps at most `budgetAt(ratio)` bytes
// of a ratio, the sheets first drawn: the main window's and its first page's always,
// those of the pages a user opens after them as long as there is room.
class SheetCache {
 public:
  // `buildKey` tells this build's pixels from another's (programBuildKey()).
  SheetCache(std::string folder, std::string buildKey);
  SheetCache(const SheetCache&) = delete;
  SheetCache& operator=(const SheetCache&) = delete;

  // The kept pixels of the sheet at that ratio if they are this build's and of the size
  // given; nullopt otherwise.
  std::optional<SheetPixels> read(std::string_view sheet, double ratio, int width,
                                  int height) const;
  // Keeps the width x height pixels `make` gives, called on the worker where the folder
  // has room for them: the caller hands over what it drew without waiting for the file.
  void write(std::string_view sheet, double ratio, int width, int height,
             std::function<SheetPixels()> make);
  // 8 MB at a ratio of 1 (the main window's and every page's backgrounds), growing with
  // the pixels a sheet has at that ratio.
  static size_t budgetAt(double ratio);
  // Waits until every write handed over is done (tests).
  void waitUntilWritten() { worker_.waitUntilIdle(); }

  // What a piece drawn alone is kept as: its sheet and rectangle in points,
  // "Main_Down.bmp#9,456,150x36".
  static std::string pieceName(std::string_view sheet, const Rect& rect);

 private:
  struct PendingWrite {
    std::string path;
    double ratio;
    size_t bytes;
    std::function<SheetPixels()> make;
  };
  std::string filePath(std::string_view sheet, double ratio) const;
  // Writes what is handed over, on the worker.
  void writePending();
  void writeFile(const PendingWrite& next);
  // The bytes of the folder's files at that ratio, but the one at `path`.
  size_t keptBytesAt(double ratio, const std::string& path) const;

  const std::string folder_;
  const std::string buildKey_;
  std::mutex mutex_;
  std::deque<PendingWrite> pending_;
  bool folderMade_ = false;  // on the worker only
  // Last, so that it finishes the writes before the rest goes.
  LatestTaskWorker worker_;
};

// This program's build ID (the linker's GNU build ID, in hex); empty where the program
// has none, and then nothing is cached.
std::string programBuildKey();
// "$XDG_CACHE_HOME/velt/sheets", or "~/.cache/velt/sheets"; empty without either.
std::string defaultSheetCacheFolder();

// The cache drawSheet uses; none unless a program installs one.
SheetCache* activeSheetCache();
// Makes the program's sheets kept in the default folder for its lifetime: the programs
// install one in main, tests do not, so that a test draws every sheet it checks.
class ScopedSheetCache {
 public:
  ScopedSheetCache();
  explicit ScopedSheetCache(std::string folder);
  ~ScopedSheetCache();
  ScopedSheetCache(const ScopedSheetCache&) = delete;
  ScopedSheetCache& operator=(const ScopedSheetCache&) = delete;

 private:
  std::unique_ptr<SheetCache> cache_;
};

}  // namespace velt
