#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "emulator/state_text.h"
#include "tests/emulator/raw_mouse.h"
#include "tests/support/log_capture.h"

namespace velt {
namespace {

TEST(StateTextTest, RoundTripsEveryField) {
  MouseState state;
  state.mode = MouseMode::kBootloader;
  state.firmwareVersion = 0x1234;
  state.currentProfile = 3;
  state.savedLiftDistance = 17;
  state.reply = {3, 1, 9, 8};
  state.hasFollowing = true;
  state.incomingBlocks = 77;
  state.profileSlots[4].length = 2048;
  state.profileSlots[4].image[2047] = 0xEE;
  MouseState decoded;
  std::string error;
  ASSERT_TRUE(decodeState(encodeState(state), decoded, error)) << error;
  EXPECT_EQ(encodeState(decoded), encodeState(state));
  EXPECT_EQ(decoded.profileSlots[4].image[2047], 0xEE);
  EXPECT_EQ(decoded.profileSlots[0].length, 0);
}

TEST(StateTextTest, RejectsWhatIsNotAStateFile) {
  const std::string good = encodeState(MouseState{});
  const std::string cases[] = {
      "",
      "hello\n",
      good + "current-profile 5\n",
      good + "current-profile -1\n",
      good + "firmware-version 65536\n",
      good + "colour blue\n",
      good + "slot 0 2048 abcd\n",
      good + "slot 5 2048 " + std::string(4096, '0') + "\n",
      good + "slot 0 2049 " + std::string(4096, '0') + "\n",
      good + "slot 0 2048 " + std::string(4095, '0') + "g\n",
      good + "reply 0301\n",
      good + "block 1\nblock-number 2\n",  // a profile write names a block past the image
      good + "block 2\nblock-number 255\n",
      std::string("\0\0\0", 3),
  };
  for (const std::string& text : cases) {
    MouseState state;
    state.currentProfile = 2;
    std::string error;
    EXPECT_FALSE(decodeState(text, state, error))
        << text.substr(text.size() > 40 ? text.size() - 40 : 0);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(state.currentProfile, 2) << "unchanged on failure";
  }
}

TEST(StateDirTest, CorruptStateIsKeptAsideAndTheMouseStartsFresh) {
  test::TempFolder dir;
  const std::string path = dir.path() + "mouse-state";
  {
    auto host = makeHost(dir.path());
    RawMouse mouse(*host);
    ASSERT_EQ(mouse.command({3, 0x02}), 1);
    ASSERT_EQ(mouse.command({3, 4}), 1);
  }
  const std::string garbage = "VELT emulated mouse state 1\ncurrent-profile 99\n";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << garbage;
  std::vector<std::string> lines;
  {
    test::LogCapture log;
    auto host = makeHost(dir.path());
    RawMouse mouse(*host);
    EXPECT_EQ(mouse.command({3, 0x03}), 1);
    EXPECT_EQ(mouse.status(), 0) << "a fresh mouse";
    lines = log.lines;
  }
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(dir.path()), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("mouse-state.bad"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("line 2"), std::string::npos) << lines[0];
  EXPECT_EQ(test::readBytes(path + ".bad"), garbage);
  MouseState state;
  std::string error;
  EXPECT_TRUE(decodeState(test::readBytes(path), state, error))
      << "a good file replaced it: " << error;
}

TEST(StateDirTest, OversizedStateFileIsNotRead) {
  test::TempFolder dir;
  const std::string path = dir.path() + "mouse-state";
  std::string huge = encodeState(MouseState{});
  huge.resize(1 << 20, '\n');
  std::ofstream(path, std::ios::binary) << huge;
  {
    test::LogCapture silenced;
    auto host = makeHost(dir.path());
    RawMouse mouse(*host);
    EXPECT_EQ(mouse.command({3, 0x04}), 1);
  }
  EXPECT_EQ(std::filesystem::file_size(path + ".bad"), huge.size());
}

// A state that is not a regular file (a pipe would block every reader) is unreadable:
// set aside, and the mouse starts fresh.
TEST(StateDirTest, AStateThatIsNotAFileIsSetAside) {
  test::TempFolder dir;
  const std::string path = dir.path() + "mouse-state";
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  {
    test::LogCapture silenced;
    auto host = makeHost(dir.path());
    RawMouse mouse(*host);
    EXPECT_EQ(mouse.command({3, 0x04}), 1);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(path + ".bad"));
}

// Two hosts on one folder change different fields at the same time: with every
// transfer locked from read to write, neither change is lost.
TEST(StateDirTest, ConcurrentTransfersLoseNoChange) {
  test::TempFolder dir;
  auto first = makeHost(dir.path());
  auto second = makeHost(dir.path());
  auto hammer = [](EmulatedHidHost& host, uint8_t subCommand) {
    RawMouse mouse(host);
    for (int i = 0; i < 200; ++i) mouse.set({3, 0x31, subCommand, uint8_t(6 + i % 26)});
  };
  std::thread tester(hammer, std::ref(*first), 1);
  std::thread saver(hammer, std::ref(*second), 2);
  tester.join();
  saver.join();
  const MouseState state = storedState(dir.path());
  EXPECT_EQ(state.testedLiftDistance, 6 + 199 % 26);
  EXPECT_EQ(state.savedLiftDistance, 6 + 199 % 26);
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "mouse-state.bad"));
}

TEST(StateDirTest, FolderIsCreatedWithItsParents) {
  test::TempFolder dir;
  const std::string nested = dir.path() + "a/b/c";
  auto host = makeHost(nested);
  RawMouse mouse(*host);
  EXPECT_EQ(mouse.command({3, 0x04}), 1);
  EXPECT_TRUE(std::filesystem::exists(nested + "/lock"));
}

TEST(StateDirTest, UnusableFolderIsAnError) {
  test::TempFolder dir;
  const std::string file = dir.path() + "plain";
  std::ofstream(file) << "x";
  std::string error;
  EXPECT_FALSE(StateDir::open(file + "/mouse", error));
  EXPECT_NE(error.find(file), std::string::npos) << error;
}

}  // namespace
}  // namespace velt
