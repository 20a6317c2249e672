// The flow on its worker thread; run clean under ThreadSanitizer (-DVELT_TSAN=ON).
#include <thread>

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

}  // namespace
}  // namespace velt
