// Host pointer settings: the commands each desktop gets for a profile's values.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

#include "base/log.h"
#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/host_settings/linux_pointer_values.h"
#include "tests/support/log_capture.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_folder.h"
#include "toolkit/UiServices.h"

namespace velt {
namespace {

// Each command as one line, its words joined by spaces.
std::vector<std::string> commands(const HostPointerSettings& host, PointerSettings s) {
  std::vector<std::string> lines;
  for (const ProgramCall& call : host.commandsFor(s)) lines.push_back(programText(call));
  return lines;
}

TEST(DefaultsPointerSettings, EveryValueOfTheTableVerbatim) {
  auto host = makeDefaultsPointerSettings();
  const std::pair<int, const char*> doubleClick[] = {{200, "5"},
                                                     {400, "2"},
                                                     {600, "1.7"},
                                                     {800, "1.3999999999999999"},
                                                     {1000, "0.80000000000000004"},
                                                     {1200, "0.20000000000000001"},
                                                     {1400, "0.14999999999999999"}};
  for (auto [time, value] : doubleClick)
    EXPECT_EQ(commands(*host, {time, 0, false, 0}),
              std::vector<std::string>{
                  std::string("defaults write -g com.apple.mouse.doubleClickThreshold ") + value});
  const char* scroll[] = {"0", "0.3125", "0.5", "0.6875", "1", "1.7"};
  for (int speed = 1; speed <= 6; ++speed)
    EXPECT_EQ(
        commands(*host, {0, speed, false, 0}),
        std::vector<std::string>{std::string("defaults write -g com.apple.scrollwheel.scaling ") +
                                 scroll[speed - 1]});
  const char* acceleration[] = {"0", "0.875", "3"};
  for (int a = 1; a <= 3; ++a)
    EXPECT_EQ(commands(*host, {0, 0, true, a}),
              std::vector<std::string>{std::string("defaults write -g com.apple.mouse.scaling ") +
                                       acceleration[a - 1]});
}

TEST(DefaultsPointerSettings, ValuesOutsideTheTableWriteNothingOfTheirOwn) {
  auto host = makeDefaultsPointerSettings();
  // 300 is no table value: scroll and acceleration still go out, in order.
  EXPECT_EQ(commands(*host, {300, 2, true, 3}),
            (std::vector<std::string>{"defaults write -g com.apple.scrollwheel.scaling 0.3125",
                                      "defaults write -g com.apple.mouse.scaling 3"}));
  EXPECT_EQ(commands(*host, {400, 7, false, 2}),
            std::vector<std::string>{"defaults write -g com.apple.mouse.doubleClickThreshold 2"})
      << "scroll 7 and acceleration off write nothing";
  EXPECT_TRUE(commands(*host, {0, 0, true, 4}).empty());
}

TEST(LinuxPointerValues, RunTheWayTheProfileDoesWithinTheDesktopsRanges) {
  int last = 100000;
  for (int time = 200; time <= 1400; time += 200) {
    auto ms = doubleClickMilliseconds(time);
    ASSERT_TRUE(ms.has_value()) << time;
    EXPECT_LT(*ms, last) << "a larger value is a faster double-click";
    EXPECT_GE(*ms, 100);
    EXPECT_LE(*ms, 1000);
    last = *ms;
  }
  for (int bad : {0, 100, 300, 1600}) EXPECT_FALSE(doubleClickMilliseconds(bad)) << bad;
  int lines = 0;
  for (int speed = 1; speed <= 6; ++speed) {
    EXPECT_GT(*wheelScrollLines(speed), lines);
    lines = *wheelScrollLines(speed);
  }
  EXPECT_FALSE(wheelScrollLines(0));
  EXPECT_FALSE(wheelScrollLines(7));
  EXPECT_EQ(libinputPointerSpeed(true, 1), "-0.5");
  EXPECT_EQ(libinputPointerSpeed(true, 3), "0.5");
  EXPECT_FALSE(libinputPointerSpeed(false, 2)) << "acceleration off leaves the host alone";
}

TEST(GnomePointerSettings, WritesTheMouseSchemaAndLeavesScrollAlone) {
  auto host = makeGnomePointerSettings();
  EXPECT_EQ(commands(*host, {1400, 6, true, 2}),
            (std::vector<std::string>{
                "gsettings set org.gnome.desktop.peripherals.mouse double-click 200",
                "gsettings set org.gnome.desktop.peripherals.mouse accel-profile adaptive",
                "gsettings set org.gnome.desktop.peripherals.mouse speed 0"}));
  EXPECT_EQ(commands(*host, {200, 1, false, 3}),
            std::vector<std::string>{
                "gsettings set org.gnome.desktop.peripherals.mouse double-click 1000"});
}

TEST(KdePointerSettings, WritesPlasmasOwnFiles) {
  auto host = makeKdePointerSettings();
  std::vector<std::string> out = commands(*host, {600, 4, true, 1});
  ASSERT_EQ(out.size(), 4u);
  EXPECT_NE(out[0].find("--file kdeglobals --group KDE --key DoubleClickInterval 700"),
            std::string::npos);
  EXPECT_NE(out[1].find("--key WheelScrollLines 5"), std::string::npos);
  EXPECT_NE(out[3].find("--key XLbInptPointerAcceleration -- -0.5"), std::string::npos);
}

// A stand-in for a desktop's settings tool: a shell script on a PATH of the test's own.
void writeTool(const std::string& path, const std::string& script) {
  std::ofstream(path) << "#!/bin/sh\n" << script;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST(KdePointerSettings, RunsThePlasmaToolThatIsInstalled) {
  test::TempFolder bin;
  test::ScopedEnv path("PATH", bin.path());
  auto tool = [] { return makeKdePointerSettings()->commandsFor({400, 0, false, 0}).at(0).at(0); };
  EXPECT_EQ(tool(), "kwriteconfig5") << "neither installed: the log names Plasma 5's";
  writeTool(bin.path() + "kwriteconfig5", "exit 0\n");
  EXPECT_EQ(tool(), "kwriteconfig5");
  writeTool(bin.path() + "kwriteconfig6", "exit 0\n");
  EXPECT_EQ(tool(), "kwriteconfig6") << "Plasma 6's first";
}

TEST(HostPointerSettingsChoice, FollowsTheDesktop) {
  struct Case {
    const char* desktop;
    bool mac;
    const char* chosen;
  } cases[] = {{"GNOME", false, "GNOME"},    {"ubuntu:GNOME", false, "GNOME"},
               {"KDE", false, "KDE Plasma"}, {"", true, "macOS"},
               {"XFCE", false, nullptr},     {"", false, nullptr}};
  for (const Case& c : cases) {
    auto host = chooseHostPointerSettings(c.desktop, c.mac);
    if (c.chosen)
      EXPECT_EQ(host->desktopName(), c.chosen) << c.desktop;
    else
      EXPECT_TRUE(host->commandsFor({400, 3, true, 2}).empty()) << c.desktop;
  }
}

TEST(HostPointerSettingsApply, RunsEachCommandThroughTheServicesInOrder) {
  ScriptedUiServices services;
  makeDefaultsPointerSettings()->apply({200, 1, true, 1}, services);
  makeDefaultsPointerSettings()->apply({200, 1, true, 1}, services);
  ASSERT_EQ(services.calls.size(), 6u) << "applied twice, run twice";
  EXPECT_EQ(services.calls[0].first, "defaults write -g com.apple.mouse.doubleClickThreshold 5");
  EXPECT_EQ(services.calls[2].first, "defaults write -g com.apple.mouse.scaling 0");
  for (const auto& call : services.calls)
    EXPECT_EQ(call.second, "background") << "the user interface never waits for " << call.first;
}

// gsettings stuck on the desktop bus: the apply returns at once, the stuck call is
// stopped after its timeout and logged, and the settings after it are still written.
TEST(HostPointerSettingsApply, AStuckSettingsToolIsStoppedAndLoggedWhileTheCallerGoesOn) {
  test::TempFolder bin;
  const std::string ran = bin.path() + "ran";
  writeTool(bin.path() + "gsettings", "echo \"$3 $4\" >> '" + ran +
                                          "'\n"
                                          "[ \"$3\" = double-click ] && exec sleep 30\n"
                                          "exit 0\n");
  test::ScopedEnv path("PATH", bin.path() + ":/usr/bin:/bin");
  test::LogCapture log;
  const std::string stuck = "gsettings set org.gnome.desktop.peripherals.mouse double-click 200";
  auto stopped = [&] {
    return log.contains(stuck + " did not finish within 2000 ms and was stopped");
  };
  {
    auto services = makeQtUiServices();
    makeGnomePointerSettings()->apply({1400, 0, true, 2}, *services);
    log.add("apply returned");
    // Generous: the call is stopped after 2 s, far sooner than the 30 s it would take.
    for (int i = 0; i < 400 && !stopped(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }  // the services wait for the rest of the settings
  ASSERT_TRUE(stopped()) << "the stuck call is logged";
  EXPECT_EQ(log.lines.front(), "apply returned") << "the caller did not wait for the stuck call";
  std::ifstream record(ran);
  std::vector<std::string> written;
  for (std::string line; std::getline(record, line);) written.push_back(line);
  EXPECT_EQ(written,
            (std::vector<std::string>{"double-click 200", "accel-profile adaptive", "speed 0"}));
}

}  // namespace
}  // namespace velt
