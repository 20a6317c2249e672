#include "device/bootloader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/support/scripted_host.h"

namespace velt::testing {
namespace {

const Bytes kBlock = [] {
  Bytes block(1024);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 13 + 1);
  return block;
}();

Bytes dataReport() {
  Bytes report(1025, 0x22);
  std::copy(kBlock.begin(), kBlock.end(), report.begin() + 1);
  return report;
}

DeviceResult sendBlock(uint32_t number) {
  return Send_fw_block(number, std::span<const uint8_t, 1024>(kBlock.data(), 1024));
}

Step control(uint8_t step) {
  return wantSet({0x20, 0x06, 0x09, 0x00, 0x00, step, 0x00, 0x00});
}

const Script kRequest = {control(8), statusReply(1),
                         wantSet({0x21, 0x56, 0x45, 0x4C, 0x54, 0x42, 0x4F, 0x4F, 0x54}),
                         statusReply(1)};

const Script kStartZero = {control(1),
                           statusReply(1),
                           wantSet({0x21, 0x00, 0x00, 0x00, 0x00, 0x5A, 0xA5, 0x22, 0x88}),
                           statusReply(1),
                           control(2),
                           statusReply(1),
                           wantSet({0x21, 0xEC, 0, 0, 0, 0, 0, 0, 0}),
                           statusReply(1)};

// Block 0x1234 up to the data report, which each case completes.
const Script kBlockHeader = {control(3),
                             statusReply(1),
                             wantSet({0x21, 0x34, 0x12, 0x00, 0x00, 0x5A, 0xA5, 0x22, 0x88}),
                             statusReply(1),
                             wantSet({0x20, 0x06, 0x01, 0x04, 0x00, 0x04, 0x00, 0x00}),
                             statusReply(1)};

struct BootloaderCase {
  const char* name;
  std::function<DeviceResult()> call;
  Script wire;
  DeviceResult result;
  int dataReportsSent = 0;
};

void PrintTo(const BootloaderCase& c, std::ostream* os) {
  *os << c.name;
}

class BootloaderTest : public ScriptedDeviceTest {
 protected:
  void SetUp() override {
    ScriptedDeviceTest::SetUp();
    openMouse();
  }
  int dataReportsSent() {
    int n = 0;
    for (const Transfer& t : wire().transfers) n += t.isSet && t.bytes == dataReport();
    return n;
  }
};

class BootloaderCaseTest : public BootloaderTest,
                           public ::testing::WithParamInterface<BootloaderCase> {};

TEST_P(BootloaderCaseTest, SendsExactlyTheReports) {
  script(GetParam().wire);
  EXPECT_EQ(GetParam().call(), GetParam().result);
  EXPECT_EQ(dataReportsSent(), GetParam().dataReportsSent);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, BootloaderCaseTest,
    ::testing::Values(
        BootloaderCase{"Request", Send_bl_request, kRequest, kResultSuccess},
        BootloaderCase{"StartValueZero", [] { return Send_bl_start(0); }, kStartZero,
                       kResultSuccess},
        BootloaderCase{"StartValueLittleEndian",
                       [] { return Send_bl_start(0x12345678); },
                       {control(1), statusReply(1),
                        wantSet({0x21, 0x78, 0x56, 0x34, 0x12, 0x5A, 0xA5, 0x22, 0x88}),
                        statusReply(1), control(2), statusReply(1),
                        wantSet({0x21, 0xEC, 0, 0, 0, 0, 0, 0, 0}), statusReply(1)},
                       kResultSuccess},
        BootloaderCase{"Block", [] { return sendBlock(0x1234); },
                       kBlockHeader + Script{wantSet(dataReport()), statusReply(1)}, kResultSuccess,
                       1},
        BootloaderCase{"BlockNumberKeepsLow16Bits", [] { return sendBlock(0x51234); },
                       kBlockHeader + Script{wantSet(dataReport()), statusReply(1)}, kResultSuccess,
                       1},
        BootloaderCase{"BlockResentAfterFailedHandshake", [] { return sendBlock(0x1234); },
                       kBlockHeader + Script{wantSet(dataReport()), statusReply(2),
                                             wantSet(dataReport()), statusReply(1)},
                       kResultSuccess, 2},
        BootloaderCase{"BlockResendFailsItsHandshake", [] { return sendBlock(0x1234); },
                       kBlockHeader +
                           Script{wantSet(dataReport()), statusReply(2), wantSet(dataReport())} +
                           repeat(statusReply(3), 10),
                       kResultTransferFailed, 2},
        BootloaderCase{
            "BlockResendCannotBeSent", [] { return sendBlock(0x1234); },
            kBlockHeader + Script{wantSet(dataReport()), statusReply(0), wantSet(dataReport(), -1)},
            kResultTransferFailed, 2},
        BootloaderCase{"BlockDataCannotBeSent", [] { return sendBlock(0x1234); },
                       kBlockHeader + Script{wantSet(dataReport(), -1)}, kResultTransferFailed, 1},
        BootloaderCase{"CompleteIgnoresFailedHandshake",
                       Send_bl_complete,
                       {control(5), statusReply(2)},
                       kResultSuccess},
        BootloaderCase{"CompleteCannotBeSent",
                       Send_bl_complete,
                       {wantSet({0x20, 0x06, 0x09, 0x00, 0x00, 0x05, 0x00, 0x00}, -1)},
                       kResultTransferFailed}),
    [](const auto& info) { return std::string(info.param.name); });

struct SequenceCase {
  const char* name;
  std::function<DeviceResult()> call;
  Script full;
};

// Every step before the data report ends the function at its first failure.
TEST_F(BootloaderTest, StopsAtTheFirstFailure) {
  const SequenceCase cases[] = {
      {"request", Send_bl_request, kRequest},
      {"start", [] { return Send_bl_start(0); }, kStartZero},
      {"block header", [] { return sendBlock(0x1234); }, kBlockHeader},
  };
  for (const SequenceCase& c : cases) {
    for (size_t step = 0; step < c.full.size(); ++step) {
      script(failingAt(c.full, step));
      EXPECT_EQ(c.call(), kResultTransferFailed) << c.name << " failing at " << step;
      EXPECT_TRUE(wire().script.empty()) << c.name << " failing at " << step;
      wire().script.clear();
    }
  }
}

}  // namespace
}  // namespace velt::testing
