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
    // The normal mouse is not there: the worker goes on to search for the bootloader, a
    // second at a time for 102 seconds.
    ASSERT_TRUE(waitForLog("Open fwdevice failed"));
  }
  EXPECT_TRUE(frontEnd.dialogs().empty())
      << "the search ran to its end: destroying the flow did not end the worker";
}

// The update waits for another holder of the mouse; quitting meanwhile is not held up,
// and nothing reaches the mouse.
TEST_F(FlowTest, AStopWhileAnotherHolderHasTheMouseEndsTheWaitingUpdate) {
  writePackage(47, 1024);
  UpdateFlow flow(package(), frontEnd);
  flow.startSearch();
  flow.join();
  ASSERT_EQ(frontEnd.dialogs(), Dialogs{5});
  std::promise<bool> held;
  std::promise<void> release;
  std::thread other([&held, released = release.get_future()] {
    // Nothing else holds the mouse now: the try form takes it without waiting.
    MouseLock mouse(std::try_to_lock);
    held.set_value(mouse.held());
    released.wait();
  });
  const bool otherHolds = held.get_future().get();
  // The update waits on the clock, a tenth of a second at a time, only while it cannot
  // have the mouse; the manual clock moves on with each of those waits.
  const auto before = time_->now();
  if (otherHolds) flow.startUpdateFWThread();
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (otherHolds && time_->now() == before && std::chrono::steady_clock::now() < until)
    std::this_thread::yield();
  const bool waiting = time_->now() != before;
  flow.requestStop();
  flow.join();
  release.set_value();
  other.join();
  ASSERT_TRUE(otherHolds) << "the other thread could not take the mouse";
  ASSERT_TRUE(waiting) << "the update did not begin waiting for the mouse within 60 s";
  EXPECT_EQ(frontEnd.dialogs(), Dialogs{5});
  EXPECT_EQ(storedState(mouse()).mode, MouseMode::kNormal);
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 46);
}

}  // namespace
}  // namespace velt
