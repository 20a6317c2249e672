#include <gtest/gtest.h>

#include "base/clock.h"
#include "tests/emulator/raw_mouse.h"

namespace velt {
namespace {

TEST(FaultListTest, ParsesEveryKind) {
  FaultList faults;
  std::string error;
  ASSERT_TRUE(parseFaultList(
      "busy=4, fail-cmd=0a,fail-cmd=F1,drop-set=2,drop-set=5,drop-get=3,unplug-after=0,"
      "latency-us=250,bl-appear-after=7",
      faults, error))
      << error;
  EXPECT_EQ(faults.busy, 4);
  EXPECT_EQ(faults.failedCommands, (std::set<uint8_t>{0x0A, 0xF1}));
  EXPECT_EQ(faults.droppedSets, (std::set<long>{2, 5}));
  EXPECT_EQ(faults.droppedGets, (std::set<long>{3}));
  EXPECT_EQ(faults.unplugAfter, 0);
  EXPECT_EQ(faults.latencyUs, 250);
  EXPECT_EQ(faults.bootloaderAppearAfter, 7);
}

TEST(FaultListTest, EmptyListMeansNoFaults) {
  FaultList faults;
  faults.busy = 9;
  std::string error;
  ASSERT_TRUE(parseFaultList("", faults, error));
  EXPECT_EQ(faults.busy, 0);
  EXPECT_EQ(faults.unplugAfter, -1);
}

TEST(FaultListTest, BadItemsAreNamedInTheMessage) {
  struct Case {
    const char* list;
    const char* named;
  } cases[] = {
      {"busy", "\"busy\""},
      {"busy=", "\"busy=\""},
      {"busy=-1", "\"busy=-1\""},
      {"busy=3x", "\"busy=3x\""},
      {"fail-cmd=123", "\"fail-cmd=123\""},
      {"fail-cmd=zz", "\"fail-cmd=zz\""},
      {"drop-set=0", "\"drop-set=0\""},
      {"drop-get=two", "\"drop-get=two\""},
      {"unplug-after=", "\"unplug-after=\""},
      {"latency-us=99999999", "\"latency-us=99999999\""},
      {"bl-appear-after=0", "\"bl-appear-after=0\""},
      {"busy=1,wobble=2", "\"wobble=2\""},
      {"busy=1,,busy=2", "empty item"},
      {"busy=1,", "empty item"},
  };
  for (const Case& c : cases) {
    FaultList faults;
    faults.busy = 5;
    std::string error;
    EXPECT_FALSE(parseFaultList(c.list, faults, error)) << c.list;
    EXPECT_NE(error.find(c.named), std::string::npos) << c.list << ": " << error;
    EXPECT_NE(error.find("VELT_EMULATE_FAULTS"), std::string::npos) << error;
    EXPECT_EQ(faults.busy, 5) << "a bad list changes nothing";
  }
}

class FaultTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
};

TEST_F(FaultTest, BusyAnswersPrecedeEveryHandshake) {
  auto host = makeHost(dir.path(), "busy=3");
  RawMouse mouse(*host);
  for (int command = 0; command < 2; ++command) {
    ASSERT_TRUE(mouse.set({3, 0x04}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(mouse.status(), 3);
    EXPECT_EQ(mouse.status(), 1);
  }
  // The surface result has no handshake: its one read is the answer.
  ASSERT_TRUE(mouse.set({3, 0x30, 2}));
  EXPECT_EQ(mouse.status(), 1);
}

TEST_F(FaultTest, FailedCommandAnswersTwoOthersStillWork) {
  auto host = makeHost(dir.path(), "fail-cmd=03");
  RawMouse mouse(*host);
  EXPECT_EQ(mouse.command({3, 0x03}), 2);
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  // As the value of a two-frame setting, 3 is no command.
  EXPECT_EQ(mouse.command({3, 0x02}), 1);
  EXPECT_EQ(mouse.command({3, 3}), 1);
}

TEST_F(FaultTest, DroppedTransfersFailOnlyOnce) {
  auto host = makeHost(dir.path(), "drop-set=2,drop-get=1");
  RawMouse mouse(*host);
  EXPECT_TRUE(mouse.set({3, 0x04}));
  EXPECT_EQ(mouse.status(), -1) << "first get dropped";
  EXPECT_EQ(mouse.status(), 1);
  EXPECT_FALSE(mouse.set({3, 0x04})) << "second set dropped";
  EXPECT_TRUE(mouse.set({3, 0x04}));
}

TEST_F(FaultTest, UnpluggedMouseFailsAndIsNotFound) {
  auto host = makeHost(dir.path(), "unplug-after=2");
  RawMouse mouse(*host);
  EXPECT_EQ(host->enumerate()->size(), 1u);
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  EXPECT_FALSE(mouse.set({3, 0x04}));
  EXPECT_TRUE(mouse.get(3).empty());
  auto devices = host->enumerate();
  ASSERT_TRUE(devices);
  EXPECT_TRUE(devices->empty());
  // Only this process lost it.
  auto other = makeHost(dir.path());
  EXPECT_EQ(other->enumerate()->size(), 1u);
}

TEST_F(FaultTest, LatencyGoesThroughTheClock) {
  setClock(std::make_unique<ManualClock>());
  auto host = makeHost(dir.path(), "latency-us=700");
  RawMouse mouse(*host);
  const auto before = clock().now();
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  EXPECT_EQ((clock().now() - before).count(), 1400);
  setClock(nullptr);
}

}  // namespace
}  // namespace velt
