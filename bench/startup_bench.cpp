// Start-up to first paint of VELTPLUS and of the control gallery, each against a bare
// Qt window of the same size (800 x 600), all as fresh processes in the same run: the
// ratio is the figure, the times depend on the machine. Each iteration starts this
// binary twice in child mode ("bare", and "veltplus" or "gallery"); a child shows its
// window and, at the end of its first paint, writes the monotonic clock and its peak
// resident set to standard output and quits. The VELTPLUS child starts as the program
// does, on a fresh emulated mouse and an empty home of its own: "veltplus" as the first
// start after an install, its sheet cache empty, "veltplus_kept" as every later start,
// with the sheets an earlier start kept. Qt runs on the offscreen platform unless told
// otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "config_app/app/VELTConfig.h"
#include "config_app/host_settings/HostPointerSettings.h"
#include "emulator/emulated_mouse.h"
#include "toolkit/KivWindow.h"
#include "toolkit/gallery/GalleryView.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_windows.h"
#include "toolkit/sheet_cache.h"

extern char** environ;

namespace velt::bench {
namespace {

double monotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Quits once the watched widget has painted, after the paint itself.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      static_cast<QWidget*>(watched)->removeEventFilter(this);
      // The paint runs after this filter returns; the time is taken once it is over.
      QMetaObject::invokeMethod(
          qApp,
          [] {
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("%.9f %ld\n", monotonicSeconds(), usage.ru_maxrss);
            std::fflush(stdout);
            QApplication::quit();
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  bool done_ = false;
};

// VELTPLUS as its main starts it, in a private home with an emulated mouse, both
// removed afterwards. With `keptSheets`, the sheet cache is the one the parent names in
// XDG_CACHE_HOME; otherwise an empty one in the private home.
int runVeltplus(QApplication& app, FirstPaint& firstPaint, bool keptSheets) {
  std::string home = (std::filesystem::temp_directory_path() / "velt-startup-XXXXXX").string();
  if (!mkdtemp(home.data())) return 1;
  setenv("HOME", home.c_str(), 1);
  if (!keptSheets) setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
  std::string error;
  int status = 1;
  if (installEmulatedMouse(home + "/mouse", error)) {
    ScopedSheetCache sheetCache;
    VELTConfig config(makeNoPointerSettings("benchmark"));
    widgetOf(config.window())->installEventFilter(&firstPaint);
    config.window().makeKeyAndOrderFront();
    status = app.exec();
  }
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  return status;
}

int runChild(int argc, char** argv, const std::string& kind) {
  QApplication app(argc, argv);
  FirstPaint firstPaint;
  if (kind == "bare") {
    QWidget window;
    window.resize(static_cast<int>(kGallerySize.width), static_cast<int>(kGallerySize.height));
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
  }
  if (kind == "veltplus" || kind == "veltplus_kept")
    return runVeltplus(app, firstPaint, kind == "veltplus_kept");
  KivWindow window(
      {40, screenHeight() - 40 - kGallerySize.height, kGallerySize.width, kGallerySize.height});
  GalleryView gallery;
  window.setContentView(&gallery);
  widgetOf(window)->installEventFilter(&firstPaint);
  window.makeKeyAndOrderFront();
  return app.exec();
}

std::string& selfPath() {
  static std::string path;
  return path;
}

struct ChildStart {
  double seconds = -1;  // from the spawn to the end of the first paint; negative: failed
  double peakRssBytes = 0;
};

ChildStart startToFirstPaint(const char* kind) {
  int out[2];
  if (pipe(out) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string self = selfPath();
  char child[] = "--child";
  std::string kindArg = kind;
  char* argv[] = {self.data(), child, kindArg.data(), nullptr};
  const double start = monotonicSeconds();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  char text[64] = {};
  ssize_t got = spawned == 0 ? read(out[0], text, sizeof text - 1) : -1;
  close(out[0]);
  int status = 0;
  if (spawned == 0) waitpid(pid, &status, 0);
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  char* rest = nullptr;
  ChildStart result;
  result.seconds = std::strtod(text, &rest) - start;
  result.peakRssBytes = std::strtod(rest, nullptr) * 1024.0;
  return result;
}

// For the later starts: a sheet cache shared by the children, filled by one start before
// the timed ones, and removed afterwards.
class KeptSheets {
 public:
  explicit KeptSheets(bool wanted) {
    if (!wanted) return;
    folder_ = (std::filesystem::temp_directory_path() / "velt-sheets-XXXXXX").string();
    if (!mkdtemp(folder_.data())) return;
    setenv("XDG_CACHE_HOME", folder_.c_str(), 1);
    startToFirstPaint("veltplus_kept");
  }
  ~KeptSheets() {
    if (folder_.empty()) return;
    unsetenv("XDG_CACHE_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  KeptSheets(const KeptSheets&) = delete;
  KeptSheets& operator=(const KeptSheets&) = delete;

 private:
  std::string folder_;
};

// One iteration starts a bare window and the program; the reported time is the
// program's, the counters give both, their ratio and the program's peak resident set.
void BM_StartupAgainstBareWindow(benchmark::State& state, const char* program) {
  double bare = 0, started = 0, peak = 0;
  KeptSheets kept(std::strcmp(program, "veltplus_kept") == 0);
  for (auto _ : state) {
    const ChildStart b = startToFirstPaint("bare");
    const ChildStart p = startToFirstPaint(program);
    if (b.seconds < 0 || p.seconds < 0) {
      state.SkipWithError("a child did not paint its window");
      return;
    }
    bare += b.seconds;
    started += p.seconds;
    peak = std::max(peak, p.peakRssBytes);
    state.SetIterationTime(p.seconds);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["bare_ms"] = bare / n * 1000;
  state.counters["program_ms"] = started / n * 1000;
  state.counters["ratio"] = started / bare;
  state.counters["peak_rss"] =
      benchmark::Counter(peak, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
}
BENCHMARK_CAPTURE(BM_StartupAgainstBareWindow, veltplus, "veltplus")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupAgainstBareWindow, veltplus_kept, "veltplus_kept")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupAgainstBareWindow, gallery, "gallery")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velt::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
    return velt::bench::runChild(argc, argv, argv[2]);
  velt::bench::selfPath() = "/proc/self/exe";
  char resolved[4096] = {};
  if (ssize_t n = readlink("/proc/self/exe", resolved, sizeof resolved - 1); n > 0)
    velt::bench::selfPath() = resolved;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
