#include <gtest/gtest.h>

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
                                         StatusCase{"exit 255", 255},
                                         StatusCase{"kill -9 $$", -1}));

TEST(UiServices, InstalledServicesAnswerUntilRemoved) {
  auto scripted = std::make_unique<ScriptedUiServices>();
  ScriptedUiServices* script = scripted.get();
  script->panelAnswers = {std::string("/tmp/a.plist"), std::nullopt};
  setUiServices(std::move(scripted));

  EXPECT_EQ(uiServices().savePanel("Export", "default1.plist"), "/tmp/a.plist");
  EXPECT_EQ(uiServices().openPanel("Import"), std::nullopt);
  uiServices().alert("VELTPLUS", "Apply failed");
  EXPECT_EQ(script->calls,
            (std::vector<ScriptedUiServices::Call>{{"save", "Export", "default1.plist"},
                                                   {"open", "Import", ""},
                                                   {"alert", "VELTPLUS", "Apply failed"}}));

  setUiServices(nullptr);
  EXPECT_NE(dynamic_cast<ScriptedUiServices*>(&uiServices()), script);
}

}  // namespace
}  // namespace velt
