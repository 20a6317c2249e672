#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "model/file_writer.h"

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

// Writes without the flush to disk of the system writer: inputs are scratch files.
inline void writeScratchFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Keeps the last file written in memory, so that a target can compare what a save
// produced without touching the disk.
class MemoryWriter : public FileWriter {
 public:
  bool replaceFile(const std::string&, std::string_view data) override {
    last_.assign(data);
    return true;
  }
  bool removeFile(const std::string&) override { return true; }
  const std::string& last() const { return last_; }

 private:
  std::string last_;
};

}  // namespace velt::fuzz
