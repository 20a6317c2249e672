// The main of every GUI test binary: a QApplication on the offscreen platform unless
// the environment names another, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ensureRuntimeDir();
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
