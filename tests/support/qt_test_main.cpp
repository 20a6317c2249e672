// The main of every GUI test binary: a QApplication on the offscreen platform unless
// the environment names another, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/modal_watchdog.h"

namespace {

// Qt wants a private runtime folder; as root in a container there is none.
void ensureRuntimeDir() {
  if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
  std::string pattern = "/tmp/velt-runtime-XXXXXX";
  if (char* dir = mkdtemp(pattern.data())) {
    chmod(dir, 0700);
    qputenv("XDG_RUNTIME_DIR", dir);
  }
}

// An X11 platform asked for without an X server: Qt could not start.
bool displayMissing() {
  QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  return platform.startsWith("xcb") && qEnvironmentVariableIsEmpty("DISPLAY");
}

// The conventional "skipped" exit status (CTest's SKIP_RETURN_CODE).
constexpr int kSkipped = 77;

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ensureRuntimeDir();
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display; running them does, and is not faked without one.
  if (displayMissing()) {
    if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    std::fprintf(stderr, "QT_QPA_PLATFORM=xcb but no DISPLAY: GUI tests skipped\n");
    return kSkipped;
  }
  QApplication app(argc, argv);
  velt::test::startModalWatchdog();
  return RUN_ALL_TESTS();
}
