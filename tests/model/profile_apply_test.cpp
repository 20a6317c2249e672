#include "model/profile_apply.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "base/clock.h"
#include "device/commands.h"
#include "device/hid_device.h"
#include "device/mouse_lock.h"
#include "device/profile_image.h"
#include "model/Profile.h"
#include "tests/emulator/raw_mouse.h"
#include "tests/support/gated_clock.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_folder.h"

namespace velt {
namespace {

// Five profiles as the main view keeps them: slots 1, 2, 3, 4 and 0, each with a name
// of its own and a macro on button 2.
class ProfileApply : public testing::Test {
 protected:
  void SetUp() override {
    setClock(std::make_unique<ManualClock>());
    const uint8_t profileSlots[5] = {1, 2, 3, 4, 0};
    for (int i = 0; i < 5; ++i) {
      profiles[i].setProfileID(profileSlots[i]);
      profiles[i].setProfileName("Profile" + std::to_string(i + 1));
      KeyButton& key = profiles[i].key2();
      key.setKeyMappingTable(kMacroFunction);
      key.setkeyMacro(16);
      MacroData m(16, "Copy");
      m.addEvent(1, 8, 0, 0);
      m.addEvent(1, 8, 1, 40);
      profiles[i].setButtonMacro(key, &m);
    }
  }
  void TearDown() override {
    Close_device();
    setHidHost(nullptr);
    setClock(nullptr);
  }
  void install(const std::string& faults) {
    Close_device();
    setHidHost(makeHost(folder.path() + "mouse", faults));
  }
  ApplyOutcome apply(uint8_t current) {
    return applyProfilesToMouse(
        {&profiles[0], &profiles[1], &profiles[2], &profiles[3], &profiles[4]}, current);
  }
  // The name stored in the slot, read back over a fault-free connection.
  std::string storedName(uint8_t slot) {
    PROFILE_T record;
    if (Read_profile(slot, record) != kResultSuccess) return "(none)";
    return std::string(record.name, strnlen(record.name, sizeof record.name));
  }
  void expectAllWritten() {
    install("");
    ASSERT_TRUE(Open_device());
    const uint8_t profileSlots[5] = {1, 2, 3, 4, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(storedName(profileSlots[i]), profiles[i].profileName());
  }

  test::TempFolder folder;
  Profile profiles[5];
};

TEST_F(ProfileApply, WritesFiveProfilesAndSelectsTheCurrentOne) {
  install("");
  const ApplyOutcome outcome = apply(3);
  EXPECT_TRUE(outcome.success);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(outcome.writeResults, (std::array<DeviceResult, 5>{1, 1, 1, 1, 1}));
  uint8_t current = 9;
  ASSERT_EQ(Get_current_profile_id(current), kResultSuccess);
  EXPECT_EQ(current, 3);
  expectAllWritten();
}

TEST_F(ProfileApply, NoMouse) {
  install("unplug-after=0");
  const ApplyOutcome outcome = apply(1);
  EXPECT_FALSE(outcome.success);
  EXPECT_EQ(outcome.message, "not found velt mouse");
  EXPECT_EQ(outcome.writeResults, (std::array<DeviceResult, 5>{}));
}

// The first command after opening is the liveness check: when it is lost the mouse is
// closed and opened again, and the apply goes on.
TEST_F(ProfileApply, LostLivenessCheckReopensOnce) {
  install("drop-set=1");
  const ApplyOutcome outcome = apply(2);
  EXPECT_TRUE(outcome.success) << outcome.message;
  expectAllWritten();
}

TEST_F(ProfileApply, MouseGoneDuringTheCheckIsNotFound) {
  install("unplug-after=1");
  ASSERT_TRUE(Open_device());
  EXPECT_EQ(apply(1).message, "not found velt mouse");
}

TEST_F(ProfileApply, DroppedTransferInOneProfileIsReportedAndTheRestWritten) {
  int reported = 0;
  for (long drop = 3; drop < 60 && reported == 0; ++drop) {
    install("drop-set=" + std::to_string(drop));
    const ApplyOutcome outcome = apply(1);
    if (outcome.success) continue;
    ++reported;
    EXPECT_EQ(outcome.message, "Write_profile Error") << drop;
    int failures = 0;
    for (DeviceResult r : outcome.writeResults) failures += r != kResultSuccess;
    EXPECT_EQ(failures, 1) << drop;
    uint8_t current = 9;
    EXPECT_EQ(Get_current_profile_id(current), kResultSuccess);
    EXPECT_EQ(current, 1);
  }
  EXPECT_EQ(reported, 1) << "no dropped transfer made a write fail";
}

TEST_F(ProfileApply, SetCurrentProfileFailure) {
  install("fail-cmd=02");
  const ApplyOutcome outcome = apply(4);
  EXPECT_FALSE(outcome.success);
  EXPECT_EQ(outcome.message, "Set_current_profile_id Error");
  EXPECT_EQ(outcome.writeResults, (std::array<DeviceResult, 5>{1, 1, 1, 1, 1}));
}

TEST_F(ProfileApply, TooManyMacroEventsIsReported) {
  MacroData big(16, "Big");
  for (int i = 0; i < 120; ++i) big.addEvent(1, 4, 0, 0);
  profiles[2].setButtonMacro(profiles[2].key2(), &big);
  profiles[2].key3().setKeyMappingTable(kMacroFunction);
  profiles[2].key3().setkeyMacro(16);
  profiles[2].setButtonMacro(profiles[2].key3(), &big);  // 240 events in one profile
  EXPECT_EQ(macroEventsOverflow(profiles[2]), "2 macros with 240 events, the mouse takes 164");
  EXPECT_EQ(macroEventsOverflow(profiles[1]), "");
  install("");
  const ApplyOutcome outcome = apply(1);
  EXPECT_EQ(outcome.message, "Write_profile Error");
  EXPECT_EQ(outcome.writeResults, (std::array<DeviceResult, 5>{1, 1, 2, 1, 1}));
}

// Another program probing the mouse's lock file all through an apply never gets it:
// the apply holds the mouse from its first command to its last, not command by command.
TEST_F(ProfileApply, HoldsTheMouseForTheWholeApply) {
  test::TempFolder runtime;
  test::ScopedEnv runtimeFolder{"XDG_RUNTIME_DIR", runtime.path()};
  install("latency-us=300");  // real latency, so that the apply takes a while
  ASSERT_TRUE(Open_device());
  const std::string lockFile = lockFilePath(*slotLocationId());
  // The real clock behind a closed gate: the apply's first transfer, with the mouse
  // held, waits there until the test has probed.
  auto owned = std::make_unique<test::GatedClock>(systemClock(), /*open=*/false);
  test::GatedClock* gate = owned.get();
  setClock(std::move(owned));
  std::atomic<bool> done{false};
  ApplyOutcome outcome;
  std::thread applying([&] {
    outcome = apply(2);
    done = true;
  });
  // The lock once got: mid-apply when the apply, needing the mouse for its next
  // command, cannot finish while the probe holds it; at the end when it finishes anyway.
  const auto stolen = [&] {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
    return !done;
  };
  int probes = 0, taken = 0;
  const auto probe = [&] {
    const int fd = ::open(lockFile.c_str(), O_RDWR);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && stolen()) ++taken;
    if (fd >= 0) ::close(fd);
    ++probes;
  };
  // Probing starts once the apply holds the mouse: a probe that got the lock between
  // the apply's creating the file and its flock would only have made the apply wait.
  const auto applyHolds = [&] {
    const int fd = ::open(lockFile.c_str(), O_RDWR);
    const bool held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (fd >= 0) ::close(fd);
    return held;
  };
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  bool holds = false;
  while (!done && !(holds = applyHolds()) && std::chrono::steady_clock::now() < until)
    std::this_thread::yield();
  EXPECT_TRUE(holds) << "the apply did not hold the mouse in its first transfer (30 s waited)";
  // The first probe while the apply waits in its first transfer; then the apply goes on,
  // and the probes go on until it ends (one lock got mid-apply is enough to tell).
  probe();
  gate->open();
  while (!done && taken == 0) probe();
  applying.join();
  setClock(nullptr);
  EXPECT_TRUE(outcome.success) << outcome.message;
  EXPECT_GT(probes, 20);
  EXPECT_EQ(taken, 0) << "another program got the mouse in the middle of an apply";
}

}  // namespace
}  // namespace velt
