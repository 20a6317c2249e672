#include "device/commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "base/clock.h"
#include "tests/support/scripted_host.h"

namespace velt::testing {
namespace {

class CommandsTest : public ScriptedDeviceTest {
 protected:
  void SetUp() override {
    ScriptedDeviceTest::SetUp();
    openMouse();
  }
};

struct HandshakeCase {
  const char* name;
  Script replies;
  bool success;
};

TEST_F(CommandsTest, StatusHandshake) {
  const HandshakeCase cases[] = {
      {"success at once", {statusReply(1)}, true},
      {"nine busy then success", repeat(statusReply(3), 9) + Script{statusReply(1)}, true},
      {"ten busy", repeat(statusReply(3), 10), false},
      {"status 0 fails at the first poll", {statusReply(0)}, false},
      {"status 2 fails at the first poll", {statusReply(2)}, false},
      {"failed read counts as busy", {failedStatusRead(), statusReply(1)}, true},
      {"nine failed reads then success", repeat(failedStatusRead(), 9) + Script{statusReply(1)},
       true},
      {"ten failed reads", repeat(failedStatusRead(), 10), false},
      {"short reply without a status byte", {wantGet(8, {3})}, false},
  };
  for (const HandshakeCase& c : cases) {
    script(c.replies);
    EXPECT_EQ(QuerySetResult(), c.success) << c.name;
    EXPECT_TRUE(wire().script.empty()) << c.name << ": polls left unused";
    wire().script.clear();
  }
}

constexpr uint32_t kUntouched = 0xAA;

struct CommandCase {
  const char* name;
  std::function<DeviceResult(uint32_t& out)> call;
  Script wire;
  DeviceResult result;
  uint32_t out = kUntouched;
};

DeviceResult fwVersion(uint32_t& out) {
  uint16_t v = static_cast<uint16_t>(out);
  DeviceResult r = Get_fw_version(v);
  out = v;
  return r;
}

DeviceResult currentProfile(uint32_t& out) {
  uint8_t id = static_cast<uint8_t>(out);
  DeviceResult r = Get_current_profile_id(id);
  out = id;
  return r;
}

DeviceResult surfaceResult(uint32_t& out) {
  uint8_t value = static_cast<uint8_t>(out);
  DeviceResult r = Get_surface_analyzer_result(value);
  out = value;
  return r;
}

template <DeviceResult (*F)(uint8_t), uint8_t arg>
DeviceResult with(uint32_t&) {
  return F(arg);
}

DeviceResult startAnalyzer(uint32_t&) {
  return Start_surface_analyzer();
}

const Bytes kVersionCmd = {3, 4, 0, 0, 0, 0, 0, 0};
const Bytes kProfileCmd = {3, 3, 0, 0, 0, 0, 0, 0};

Bytes reply64(Bytes head) {
  head.resize(64, 0);
  return head;
}

class CommandCaseTest : public CommandsTest, public ::testing::WithParamInterface<CommandCase> {};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << c.name;
}

TEST_P(CommandCaseTest, SendsExactlyTheFramesAndAnswers) {
  const CommandCase& c = GetParam();
  script(c.wire);
  uint32_t out = kUntouched;
  EXPECT_EQ(c.call(out), c.result);
  EXPECT_EQ(out, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandCaseTest,
    ::testing::Values(
        CommandCase{"FwVersion46",
                    fwVersion,
                    {wantSet(kVersionCmd), statusReply(1), wantGet(64, reply64({4, 0x2E, 0x00}))},
                    kResultSuccess,
                    46},
        CommandCase{"FwVersionLittleEndian",
                    fwVersion,
                    {wantSet(kVersionCmd), statusReply(1), wantGet(64, reply64({4, 0x2E, 0x01}))},
                    kResultSuccess,
                    0x012E},
        CommandCase{"FwVersionUnreadableReply",
                    fwVersion,
                    {wantSet(kVersionCmd), statusReply(1), wantGet(64, {4}, -1)},
                    kResultTransferFailed},
        CommandCase{"FwVersionHandshakeFails",
                    fwVersion,
                    {wantSet(kVersionCmd), statusReply(2)},
                    kResultTransferFailed},
        CommandCase{
            "FwVersionSendFails", fwVersion, {wantSet(kVersionCmd, -1)}, kResultTransferFailed},
        CommandCase{"CurrentProfile4",
                    currentProfile,
                    {wantSet(kProfileCmd), statusReply(1), wantGet(8, {3, 4})},
                    kResultSuccess,
                    4},
        CommandCase{"CurrentProfileReply5KeepsOutput",
                    currentProfile,
                    {wantSet(kProfileCmd), statusReply(1), wantGet(8, {3, 5})},
                    kResultSuccess},
        CommandCase{"CurrentProfileUnreadableReply",
                    currentProfile,
                    {wantSet(kProfileCmd), statusReply(1), wantGet(8, {3}, -1)},
                    kResultReplyUnreadable},
        CommandCase{"CurrentProfileHandshakeFails", currentProfile,
                    Script{wantSet(kProfileCmd)} + repeat(statusReply(3), 10),
                    kResultTransferFailed},
        CommandCase{"SelectProfile3",
                    with<Set_current_profile_id, 3>,
                    {wantSet({3, 2, 0, 0, 0, 0, 0, 0}), statusReply(1),
                     wantSet({3, 3, 0, 0, 0, 0, 0, 0}), statusReply(1)},
                    kResultSuccess},
        CommandCase{"SelectProfileFirstHandshakeFails",
                    with<Set_current_profile_id, 3>,
                    {wantSet({3, 2, 0, 0, 0, 0, 0, 0}), statusReply(0)},
                    kResultTransferFailed},
        CommandCase{"SelectProfileSecondHandshakeFails",
                    with<Set_current_profile_id, 1>,
                    {wantSet({3, 2, 0, 0, 0, 0, 0, 0}), statusReply(1),
                     wantSet({3, 1, 0, 0, 0, 0, 0, 0}), statusReply(2)},
                    kResultTransferFailed},
        CommandCase{
            "SelectProfile5IsRejected", with<Set_current_profile_id, 5>, {}, kResultBadArgument},
        CommandCase{"DriverControl0",
                    with<Set_driver_control, 0>,
                    {wantSet({3, 0x10, 0, 0, 0, 0, 0, 0}), statusReply(1),
                     wantSet({3, 0, 0, 0, 0, 0, 0, 0}), statusReply(1)},
                    kResultSuccess},
        CommandCase{"DriverControl2",
                    with<Set_driver_control, 2>,
                    {wantSet({3, 0x10, 0, 0, 0, 0, 0, 0}), statusReply(1),
                     wantSet({3, 2, 0, 0, 0, 0, 0, 0}), statusReply(1)},
                    kResultSuccess},
        CommandCase{
            "DriverControl1SendsNothing", with<Set_driver_control, 1>, {}, kResultBadArgument},
        CommandCase{
            "DriverControl3SendsNothing", with<Set_driver_control, 3>, {}, kResultBadArgument},
        CommandCase{"SurfaceAnalyzerStartIgnoresStatus",
                    startAnalyzer,
                    {wantSet({3, 0x30, 1, 0, 0, 0, 0, 0}), statusReply(2)},
                    kResultSuccess},
        CommandCase{"SurfaceAnalyzerStartSendFails",
                    startAnalyzer,
                    {wantSet({3, 0x30, 1, 0, 0, 0, 0, 0}, -1)},
                    kResultTransferFailed},
        CommandCase{"SurfaceResultHasNoHandshake",
                    surfaceResult,
                    {wantSet({3, 0x30, 2, 0, 0, 0, 0, 0}), wantGet(8, {3, 0, 77})},
                    kResultSuccess,
                    77},
        CommandCase{"SurfaceResultUnreadable",
                    surfaceResult,
                    {wantSet({3, 0x30, 2, 0, 0, 0, 0, 0}), wantGet(8, {3}, -1)},
                    kResultTransferFailed},
        CommandCase{"TestLodIgnoresFailureStatus",
                    with<Test_LOD, 20>,
                    {wantSet({3, 0x31, 1, 20, 0, 0, 0, 0}), statusReply(0)},
                    kResultSuccess},
        CommandCase{"TestLodSendFails",
                    with<Test_LOD, 6>,
                    {wantSet({3, 0x31, 1, 6, 0, 0, 0, 0}, -1)},
                    kResultTransferFailed},
        CommandCase{"SaveLodIgnoresBusyStatus", with<Save_LOD, 31>,
                    Script{wantSet({3, 0x31, 2, 31, 0, 0, 0, 0})} + repeat(statusReply(3), 10),
                    kResultSuccess}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, ReadFlashBlockWaitsOneSecondThenReadsTheBlock) {
  auto manual = std::make_unique<ManualClock>();
  ManualClock* time = manual.get();
  setClock(std::move(manual));
  Bytes reply(1025, 0);
  reply[0] = 5;
  for (size_t i = 1; i < reply.size(); ++i) reply[i] = static_cast<uint8_t>(i * 7);
  script({wantSet({3, 0xF1, 0, 0, 9, 0, 0, 0}), wantGet(1025, reply)});
  std::vector<uint8_t> block(1024, 0xEE);
  EXPECT_EQ(Read_flash_block(9, std::span<uint8_t, 1024>(block)), kResultSuccess);
  EXPECT_EQ(block, Bytes(reply.begin() + 1, reply.end()));
  EXPECT_EQ(time->now(), std::chrono::seconds(1));

  script({wantSet({3, 0xF1, 0, 0, 2, 0, 0, 0}), wantGet(1025, {5}, -1)});
  std::fill(block.begin(), block.end(), 0xEE);
  EXPECT_EQ(Read_flash_block(2, std::span<uint8_t, 1024>(block)), kResultTransferFailed);
  EXPECT_EQ(block, Bytes(1024, 0xEE));

  script({wantSet({3, 0xF1, 0, 0, 2, 0, 0, 0}, -1)});
  EXPECT_EQ(Read_flash_block(2, std::span<uint8_t, 1024>(block)), kResultTransferFailed);
  setClock(nullptr);
}

}  // namespace
TEST(FirmwareVersionText, HundredthsShownWithTwoDecimals) {
  const std::pair<int32_t, const char*> cases[] = {
      {46, "0.46"}, {146, "1.46"}, {1005, "10.05"}, {0, "0.00"}, {47, "0.47"}};
  for (auto [hundredths, text] : cases) EXPECT_EQ(firmwareVersionText(hundredths), text);
}

}  // namespace velt::testing
