// The toolkit's image store: what the configuration application pays to load its
// sheets, all at once and, as a page's first drawing does, only the one it asks for. Qt runs on the
// offscreen platform unless told otherwise.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <set>
#include <string>
#include <string_view>

#include "bench/bench_counters.h"
#include "toolkit/ImageManager.h"
#include "toolkit/image_tables.h"

namespace velt::bench {
namespace {

// How many distinct sheets of the table the compiled-in resources hold; the table
// names some that are not drawn yet, and the store keeps an empty slot for those.
int sheetsPresent() {
  std::set<std::string_view> names;
  for (const ImageFamily& family : configImageTable()) {
    if (!family.whole.empty()) names.insert(family.whole);
    for (std::string_view name : family.states)
      if (!name.empty()) names.insert(name);
  }
  int present = 0;
  for (std::string_view name : names)
    if (!Image::load(":/sheets/" + std::string(name)).isNull()) ++present;
  return present;
}

// A new store loading every sheet of the configuration application's table from the
// compiled-in resources: decompressing and decoding each one that is there.
void BM_ImageManagerFirstLoad(benchmark::State& state) {
  for (auto _ : state) {
    ImageManager store(configImageTable());
    store.initImages();
    benchmark::DoNotOptimize(store);
  }
  const int present = sheetsPresent();
  if (present == 0) state.SkipWithError("no sheet of the table is in the resources");
  state.counters["sheets"] = static_cast<double>(ImageManager(configImageTable()).sheetCount());
  state.counters["sheets_present"] = present;
  reportPeakMemory(state);
}
BENCHMARK(BM_ImageManagerFirstLoad)->Unit(benchmark::kMillisecond);

// A new store answering its first request, a button of the main page: only that state's
// sheet is decoded.
void BM_ImageManagerFirstPiece(benchmark::State& state) {
  size_t loaded = 0;
  for (auto _ : state) {
    ImageManager store(configImageTable());
    benchmark::DoNotOptimize(store.getImage(0, 1, {0, 0, 80, 30}));
    loaded = store.sheetsLoaded();
  }
  state.counters["sheets_loaded"] = static_cast<double>(loaded);
  reportPeakMemory(state);
}
BENCHMARK(BM_ImageManagerFirstPiece)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velt::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
