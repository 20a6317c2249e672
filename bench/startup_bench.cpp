// Start-up to first paint of the control gallery against a bare Qt window of the same
// size, both as fresh processes in the same run: the ratio is the figure, the times
// depend on the machine. Each iteration starts this binary twice in child mode ("bare"
// or "gallery"); a child shows its window and, at the end of its first paint, writes
// the monotonic clock to standard output and quits. Qt runs on the offscreen platform
// unless told otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "toolkit/KivWindow.h"
#include "toolkit/gallery/GalleryView.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_windows.h"

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
            std::printf("%.9f\n", monotonicSeconds());
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

// Seconds from starting a child to the end of its first paint; negative when it failed.
double startToFirstPaint(const char* kind) {
  int out[2];
  if (pipe(out) != 0) return -1;
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
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::strtod(text, nullptr) - start;
}

// One iteration starts a bare window and the gallery; the reported time is the
// gallery's, the counters give both and their ratio.
void BM_GalleryStartupAgainstBareWindow(benchmark::State& state) {
  double bare = 0, gallery = 0;
  for (auto _ : state) {
    const double b = startToFirstPaint("bare");
    const double g = startToFirstPaint("gallery");
    if (b < 0 || g < 0) {
      state.SkipWithError("a child did not paint its window");
      return;
    }
    bare += b;
    gallery += g;
    state.SetIterationTime(g);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["bare_ms"] = bare / n * 1000;
  state.counters["gallery_ms"] = gallery / n * 1000;
  state.counters["ratio"] = gallery / bare;
}
BENCHMARK(BM_GalleryStartupAgainstBareWindow)
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
