// Models and their files: the five profile files of an apply, the macro library, a
// profile at the reading limits, and the device image built from a profile.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "base/file_writer.h"
#include "bench/bench_support.h"
#include "device/profile_image.h"
#include "model/MacroLibrary.h"
#include "model/folders.h"
#include "model/limits.h"

namespace velt::bench {
namespace {

constexpr int kLibraryMacros = 100;
constexpr int kLibraryMacroEvents = 20;

std::array<Profile, 5> fiveProfiles() {
  std::array<Profile, 5> profiles;
  for (int i = 0; i < 5; ++i) {
    profiles[i] = fullDeviceProfile();
    profiles[i].setProfileID(profileSlot(i + 1));
  }
  return profiles;
}

bool saveAll(const std::array<Profile, 5>& profiles, const TempFolder& folder) {
  for (int i = 0; i < 5; ++i)
    if (!profiles[i].save(folder.file(profileFileName(i + 1)))) return false;
  return true;
}

// Five profiles whose macros fill the mouse's images, as an apply saves them.
void BM_SaveFiveProfiles(benchmark::State& state) {
  TempFolder folder;
  const std::array<Profile, 5> profiles = fiveProfiles();
  for (auto _ : state)
    if (!saveAll(profiles, folder)) return state.SkipWithError("a profile was not saved");
}
BENCHMARK(BM_SaveFiveProfiles)->Unit(benchmark::kMicrosecond);

// The same five files, as start-up reads them.
void BM_ReadFiveProfiles(benchmark::State& state) {
  TempFolder folder;
  if (!saveAll(fiveProfiles(), folder)) return state.SkipWithError("a profile was not saved");
  for (auto _ : state) {
    std::array<Profile, 5> read;
    for (int i = 0; i < 5; ++i)
      if (!read[i].read(folder.file(profileFileName(i + 1))))
        return state.SkipWithError("a profile was not read");
    benchmark::DoNotOptimize(read);
  }
}
BENCHMARK(BM_ReadFiveProfiles)->Unit(benchmark::kMicrosecond);

void fillLibrary(MacroLibrary& library) {
  for (int m = 0; m < kLibraryMacros; ++m) {
    MacroData macro(library.nextMacroID(), "Library macro " + std::to_string(m));
    for (int i = 0; i < kLibraryMacroEvents; ++i) macro.addEvent(1, 4 + i, i % 2, 30 + i);
    library.addMacro(macro);
  }
}

// A library of 100 macros of 20 events, every macro edited: 100 macro files (the list
// file once, as the names stay).
void BM_SaveMacroLibrary(benchmark::State& state) {
  TempFolder folder;
  MacroLibrary library;
  if (!library.setMacroPath(folder.file("Macros"))) return state.SkipWithError("no folder");
  fillLibrary(library);
  uint64_t delay = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ++delay;
    for (const auto& macro : library.macros()) macro->addItem(1, 4, 0, delay, Macro::kAppend);
    state.ResumeTiming();
    if (!library.saveMacroItems()) return state.SkipWithError("the library was not saved");
  }
}
BENCHMARK(BM_SaveMacroLibrary)->Unit(benchmark::kMillisecond);

// The system writer, counting its replacements: each is two fsyncs (the file and its
// folder) and a rename.
class CountingFileWriter : public FileWriter {
 public:
  using FileWriter::replaceFile;
  bool replaceFile(const std::string& path, std::string_view data, std::string& error) override {
    ++replaced;
    return systemFileWriter().replaceFile(path, data, error);
  }
  bool removeFile(const std::string& path) override { return systemFileWriter().removeFile(path); }
  int64_t replaced = 0;
};

// An apply after one macro of the 100 was edited: only that macro's file is written.
void BM_SaveMacroLibraryOneChange(benchmark::State& state) {
  TempFolder folder;
  CountingFileWriter writer;
  MacroLibrary library(writer);
  if (!library.setMacroPath(folder.file("Macros"))) return state.SkipWithError("no folder");
  fillLibrary(library);
  if (!library.saveMacroItems()) return state.SkipWithError("the library was not saved");
  writer.replaced = 0;
  uint64_t delay = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Macro& edited = *library.macros()[kLibraryMacros / 2];
    edited.removeItems();
    edited.addItem(1, 4, 0, ++delay, Macro::kAppend);
    state.ResumeTiming();
    if (!library.saveMacroItems()) return state.SkipWithError("the library was not saved");
  }
  const double saves = static_cast<double>(state.iterations());
  state.counters["files_per_save"] = static_cast<double>(writer.replaced) / saves;
  state.counters["fsyncs_per_save"] = 2.0 * static_cast<double>(writer.replaced) / saves;
}
BENCHMARK(BM_SaveMacroLibraryOneChange)->Unit(benchmark::kMillisecond);

void BM_ReadMacroLibrary(benchmark::State& state) {
  TempFolder folder;
  {
    MacroLibrary library;
    if (!library.setMacroPath(folder.file("Macros"))) return state.SkipWithError("no folder");
    fillLibrary(library);
    if (!library.saveMacroItems()) return state.SkipWithError("the library was not saved");
  }
  for (auto _ : state) {
    MacroLibrary library;
    library.setMacroPath(folder.file("Macros"));
    if (!library.readMacroItems() || library.macros().size() != kLibraryMacros)
      return state.SkipWithError("the library was not read whole");
  }
}
BENCHMARK(BM_ReadMacroLibrary)->Unit(benchmark::kMillisecond);

// Seven button macros of the most events a file may hold: the largest profile file
// that reads back whole.
Profile profileAtLimits() {
  return sampleProfile(static_cast<int>(kMaxMacroEvents));
}

void BM_SaveProfileAtLimits(benchmark::State& state) {
  TempFolder folder;
  const Profile profile = profileAtLimits();
  for (auto _ : state)
    if (!profile.save(folder.file("limits.plist")))
      return state.SkipWithError("the profile was not saved");
  reportPeakMemory(state);
}
BENCHMARK(BM_SaveProfileAtLimits)->Unit(benchmark::kMillisecond);

void BM_ReadProfileAtLimits(benchmark::State& state) {
  TempFolder folder;
  if (!profileAtLimits().save(folder.file("limits.plist")))
    return state.SkipWithError("the profile was not saved");
  for (auto _ : state) {
    Profile read;
    if (!read.read(folder.file("limits.plist")) ||
        read.macroData(6).eventCount() != static_cast<size_t>(kMaxMacroEvents))
      return state.SkipWithError("the profile was not read whole");
  }
  reportPeakMemory(state);
}
BENCHMARK(BM_ReadProfileAtLimits)->Unit(benchmark::kMillisecond);

// The record and the 2048-byte image of a profile whose macros fill the image.
void BM_BuildProfileImage(benchmark::State& state) {
  const Profile profile = fullDeviceProfile();
  std::array<uint8_t, kProfileImageSize> image{};
  for (auto _ : state) {
    PROFILE_T record;
    profile.toPROFILE_T(record);
    Convert_pf_to_buffer(record, ProfileImage(image));
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_BuildProfileImage);

}  // namespace
}  // namespace velt::bench
