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
#include "toolkit/drawn_sheets.h"
#include "toolkit/image_tables.h"

namespace velt::bench {
namespace {

// How many distinct sheets of the table have painters; the table names some that are not
// drawn yet, and the store keeps an empty slot for those.
int sheetsPresent() {
  std::set<std::string_view> names;
  for (const ImageFamily& family : configImageTable()) {
    if (!family.whole.empty()) names.insert(family.whole);
    for (std::string_view name : family.states)
      if (!name.empty()) names.insert(name);
  }
  int present = 0;
  for (std::string_view name : names)
    if (!drawnSheetSize(name).isEmpty()) ++present;
  return present;
}

// A new store loading every sheet of the configuration application's table from the
// painters: drawing each one that is there at a ratio of 1.
// The argument is the device pixel ratio in tenths: 10 for a screen at scale 1, 20 at 2.
void BM_ImageManagerFirstLoad(benchmark::State& state) {
  const double ratio = static_cast<double>(state.range(0)) / 10;
  for (auto _ : state) {
    ImageManager store(configImageTable());
    store.initImages(ratio);
    benchmark::DoNotOptimize(store);
  }
  const int present = sheetsPresent();
  if (present == 0) state.SkipWithError("no sheet of the table has painters");
  state.counters["sheets"] = static_cast<double>(ImageManager(configImageTable()).sheetCount());
  state.counters["sheets_present"] = present;
  reportPeakMemory(state);
}
BENCHMARK(BM_ImageManagerFirstLoad)->Arg(10)->Arg(15)->Arg(20)->Unit(benchmark::kMillisecond);

// A new store answering its first request, a button of the main page: only that state's
// sheet is drawn, and only once the piece is drawn.
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

// The largest sheet, the main window's, drawn at a ratio in tenths as BM_ImageManagerFirstLoad.
void BM_DrawMainSheet(benchmark::State& state) {
  const double ratio = static_cast<double>(state.range(0)) / 10;
  for (auto _ : state) benchmark::DoNotOptimize(drawSheet("Main_Normal.bmp", ratio));
  reportPeakMemory(state);
}
BENCHMARK(BM_DrawMainSheet)->Arg(10)->Arg(15)->Arg(20)->Unit(benchmark::kMillisecond);

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
