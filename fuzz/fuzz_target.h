#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/file_writer.h"
#include "base/log.h"
#include "tests/support/temp_folder.h"

// Each fuzz target defines the libFuzzer entry point; replay_main.cpp calls the same
// function over a folder of inputs when the target is built without libFuzzer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// A property every input must keep. A broken one aborts, which both libFuzzer and the
// replay driver report as a failure with the input that caused it.
#define VELT_FUZZ_CHECK(condition)                                                          \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace velt::fuzz {

inline std::string_view asText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Hostile inputs make many diagnostics, which a run does not look for: from the first
// call on, the log hook drops them.
inline void silenceLog() {
  static const bool silenced = (setLogHook([](const std::string&) {}), true);
  (void)silenced;
}

// A folder of the process's own for the files a target reads and writes; inputs are
// written with test::writeBytes, without the flush to disk of the system writer.
inline const test::TempFolder& scratch() {
  static const test::TempFolder folder;
  return folder;
}

// Keeps the last file written in memory, so that a target can compare what a save
// produced without touching the disk.
class MemoryWriter : public FileWriter {
 public:
  using FileWriter::replaceFile;
  bool replaceFile(const std::string&, std::string_view data, std::string&) override {
    last_.assign(data);
    return true;
  }
  bool removeFile(const std::string&) override { return true; }
  const std::string& last() const { return last_; }

 private:
  std::string last_;
};

}  // namespace velt::fuzz
