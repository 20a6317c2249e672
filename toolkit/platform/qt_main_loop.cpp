#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <vector>

#include "toolkit/main_loop.h"

namespace velt {

namespace {
// Only touched on the UI thread.
std::vector<QEventLoop*> gModalLoops;
unsigned gModalLoopsStarted = 0;
}  // namespace

int runModalLoop() {
  QEventLoop loop;
  gModalLoops.push_back(&loop);
  ++gModalLoopsStarted;
  int code = loop.exec();
  gModalLoops.pop_back();
  return code;
}

void stopModalLoop(int code) {
  if (!gModalLoops.empty()) gModalLoops.back()->exit(code);
}

int modalLoopDepth() {
  return static_cast<int>(gModalLoops.size());
}

unsigned modalLoopsStarted() {
  return gModalLoopsStarted;
}

bool modalSessionRunning() {
  return !gModalLoops.empty() || QApplication::activeModalWidget() != nullptr;
}

void postToMainThread(std::function<void()> work) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || !work) return;
  QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

void processPendingEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace velt
