#include "tests/support/modal_watchdog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <utility>
#include <vector>

#include "toolkit/main_loop.h"

namespace velt::test {

namespace {

std::function<std::string()>& describer() {
  static std::function<std::string()> describe;
  return describe;
}

std::vector<std::function<void()>>& endChecks() {
  static std::vector<std::function<void()>> checks;
  return checks;
}

// Watches the innermost modal loop on a real-time timer, which runs in nested loops too.
// A loop is told from the next at the same depth by the count of loops started.
class Watchdog : public QObject {
 public:
  explicit Watchdog(QObject* parent) : QObject(parent) {
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] { check(); });
    timer_.start();
  }

 private:
  void check() {
    const auto now = std::chrono::steady_clock::now();
    const int depth = modalLoopDepth();
    const unsigned started = modalLoopsStarted();
    if (depth != depth_ || started != started_) {
      depth_ = depth;
      started_ = started;
      since_ = now;
      return;
    }
    if (depth == 0 || now - since_ < kUnansweredLoopLimit) return;
    const std::string what =
        describer() ? describer()() : "a modal loop at depth " + std::to_string(depth);
    ADD_FAILURE() << what << " waited " << kUnansweredLoopLimit.count()
                  << " s for an answer that never came; its loop is ended";
    since_ = now;  // the next loop out gets its own time
    stopModalLoop();
  }

  QTimer timer_;
  int depth_ = 0;
  unsigned started_ = 0;
  std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
};

// End events reach listeners in reverse order of their adding: this one runs before
// the printer's, so its failures show as the test's own.
class EndChecks : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override {
    for (const auto& check : endChecks()) check();
  }
};

}  // namespace

void startModalWatchdog() {
  static bool started = false;
  if (started) return;
  started = true;
  new Watchdog(QCoreApplication::instance());  // the application owns it
  testing::UnitTest::GetInstance()->listeners().Append(new EndChecks);
}

void describeModalLoopsWith(std::function<std::string()> describe) {
  describer() = std::move(describe);
}

void checkAtEveryTestEnd(std::function<void()> check) {
  endChecks().push_back(std::move(check));
}

}  // namespace velt::test
