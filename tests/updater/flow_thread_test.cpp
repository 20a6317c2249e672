// The flow on its worker thread; run clean under ThreadSanitizer (-DVELT_TSAN=ON).
#include <future>
#include <thread>

#include "device/mouse_lock.h"

#include "tests/updater/flow_fixture.h"

namespace velt {
namespace {

using Dialogs = std::vector<int32_t>;

TEST_F(FlowTest, SearchAndUpdateOnTheWorker) {
  writePackage(47, 10 * 1024);
  UpdateFlow flow(package(), frontEnd);
  flow.startSearch();
  flow.join();
  ASSERT_EQ(frontEnd.dialogs(), Dialogs{5});
  flow.startUpdateFWThread();
  flow.join();
  EXPECT_EQ(frontEnd.dialogs(), (Dialogs{5, 7, 9}));
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 47);
}

TEST_F(FlowTest, AStopDuringTheTransferLeavesTheMouseInItsBootloaderForTheNextRun) {
  writePackage(47, 10 * 1024);
  {
    UpdateFlow flow(package(), frontEnd);
    flow.startSearch();
    flow.join();
    frontEnd.onProgress = [&flow](int32_t value) {
      if (value >= 20) flow.requestStop();
    };
    flow.startUpdateFWThread();
    flow.join();
  }
  EXPECT_EQ(frontEnd.dialogs(), Dialogs{5});
  EXPECT_EQ(frontEnd.progress(), (std::vector<int32_t>{2, 2, 12, 22}));
  EXPECT_EQ(storedState(mouse()).mode, MouseMode::kBootloader);

  useMouse();
  RecordingFrontEnd next;
  UpdateFlow flow(package(), next);
  flow.startSearch();
  flow.join();
  EXPECT_EQ(next.dialogs(), (Dialogs{10, 7, 9}));
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 47);
}

TEST_F(FlowTest, DestroyingTheFlowEndsAWorkerThatIsWaiting) {
  writePackage(47, 1024);
  useMouse("unplug-after=0");
  setClock(nullptr);  // real waits: the worker is inside its one-second pauses
  {
    UpdateFlow flow(package(), frontEnd);
    flow.startSearch();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  }
  EXPECT_TRUE(frontEnd.dialogs().empty());
  EXPECT_TRUE(logged("Open fwdevice failed"));
}

// The update waits for another holder of the mouse; quitting meanwhile is not held up,
// and nothing reaches the mouse.
TEST_F(FlowTest, AStopWhileAnotherHolderHasTheMouseEndsTheWaitingUpdate) {
  writePackage(47, 1024);
  UpdateFlow flow(package(), frontEnd);
  flow.startSearch();
  flow.join();
  ASSERT_EQ(frontEnd.dialogs(), Dialogs{5});
  std::promise<void> held, release;
  std::thread other([&] {
    MouseLock mouse;
    held.set_value();
    release.get_future().wait();
  });
  held.get_future().wait();
  flow.startUpdateFWThread();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  flow.requestStop();
  flow.join();
  release.set_value();
  other.join();
  EXPECT_EQ(frontEnd.dialogs(), Dialogs{5});
  EXPECT_EQ(storedState(mouse()).mode, MouseMode::kNormal);
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 46);
}

}  // namespace
}  // namespace velt
