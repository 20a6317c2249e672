#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "toolkit/KivWindow.h"
#include "toolkit/UiServices.h"

namespace velt {
namespace {

struct StatusCase {
  const char* command;
  int status;
};

class QtRunCommand : public testing::TestWithParam<StatusCase> {};

TEST_P(QtRunCommand, ReturnsTheExitStatus) {
  auto services = makeQtUiServices();
  EXPECT_EQ(services->runCommand(GetParam().command), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(UiServices, QtRunCommand,
                         testing::Values(StatusCase{"exit 3", 3}, StatusCase{"true", 0},
                                         StatusCase{"exit 255", 255}, StatusCase{"kill -9 $$", -1},
                                         // Standard input is empty, not left open.
                                         StatusCase{"cat", 0},
                                         StatusCase{"read line || exit 7", 7}));

// A quoted name reaches the command as exactly one word: the file made has that name, and
// nothing else ran.
class ShellQuote : public testing::TestWithParam<std::string> {};

TEST_P(ShellQuote, KeepsTheTextOneWord) {
  namespace fs = std::filesystem;
  // A folder of its own: the cases run side by side in separate processes.
  test::TempFolder folder;
  ASSERT_FALSE(folder.path().empty());
  const fs::path dir = fs::path(folder.path()).parent_path();
  const std::string name = GetParam();
  auto services = makeQtUiServices();
  const std::string path = (dir / name).string();
  // Run inside the folder, so that a command smuggled in would leave its file there too.
  EXPECT_EQ(
      services->runCommand("cd " + shellQuote(dir.string()) + " && touch " + shellQuote(path)), 0);
  std::vector<std::string> made;
  for (const auto& entry : fs::directory_iterator(dir)) made.push_back(entry.path().filename());
  EXPECT_EQ(made, std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(UiServices, ShellQuote,
                         testing::Values("two words", "it's", "\"quoted\"", "$(touch injected)",
                                         "`touch injected`", "a;touch injected", "back\\slash",
                                         "line\nbreak", "*", "'", "''"));

TEST(UiServices, ShellQuoteOfNothingIsAnEmptyWord) {
  auto services = makeQtUiServices();
  EXPECT_EQ(services->runCommand("set -- " + shellQuote("") + "; test $# -eq 1 -a -z \"$1\""), 0);
}

// Addresses without a scheme would open files of the working folder; they are refused
// without starting anything.
TEST(UiServices, QtOpenUrlRefusesAddressesThatAreNotAbsolute) {
  auto services = makeQtUiServices();
  for (const char* url : {"", "www.example.com/home", "/home", "home", "https://exa mple.com"})
    EXPECT_FALSE(services->openUrl(url)) << url;
}

// Hides the visible windows and shows again only those; a window that went while hidden
// is left alone.
TEST(UiServices, QtHideThenShowRestoresTheWindowsThatWereShown) {
  auto services = makeQtUiServices();
  KivWindow shown({0, 0, 40, 30});
  auto goesWhileHidden = std::make_unique<KivWindow>(Rect{50, 0, 40, 30});
  KivWindow neverShown({100, 0, 40, 30});
  shown.orderFront();
  goesWhileHidden->orderFront();

  services->hideApplication();
  EXPECT_FALSE(shown.isVisible());
  EXPECT_FALSE(goesWhileHidden->isVisible());
  goesWhileHidden.reset();

  services->showApplication();
  EXPECT_TRUE(shown.isVisible());
  EXPECT_FALSE(neverShown.isVisible());
  services->showApplication();  // nothing more to show
  EXPECT_TRUE(shown.isVisible());
}

TEST(UiServices, InstalledServicesAnswerUntilRemoved) {
  auto scripted = std::make_unique<ScriptedUiServices>();
  ScriptedUiServices* script = scripted.get();
  script->panelAnswers = {std::string("/tmp/a.plist"), std::nullopt};
  script->commandStatuses = {3};
  script->urlOpens = false;
  setUiServices(std::move(scripted));

  EXPECT_EQ(uiServices().savePanel("Export", "default1.plist"), "/tmp/a.plist");
  EXPECT_EQ(uiServices().openPanel("Import"), std::nullopt);
  uiServices().alert("VELTPLUS", "Apply failed");
  EXPECT_EQ(uiServices().runCommand("defaults write -g a 1"), 3);
  EXPECT_EQ(uiServices().runCommand("defaults write -g b 2"), 0);  // queue empty
  EXPECT_FALSE(uiServices().openUrl("https://example.com/home"));
  uiServices().hideApplication();
  EXPECT_EQ(script->calls,
            (std::vector<ScriptedUiServices::Call>{{"save", "Export", "default1.plist"},
                                                   {"open", "Import", ""},
                                                   {"alert", "VELTPLUS", "Apply failed"},
                                                   {"run", "defaults write -g a 1", ""},
                                                   {"run", "defaults write -g b 2", ""},
                                                   {"url", "https://example.com/home", ""},
                                                   {"hide", "", ""}}));

  setUiServices(nullptr);
  EXPECT_NE(dynamic_cast<ScriptedUiServices*>(&uiServices()), script);
}

}  // namespace
}  // namespace velt
