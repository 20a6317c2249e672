#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include <stdlib.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config_app/dialogs/PopView.h"
#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/main/VELTView.h"
#include "device/hid_device.h"
#include "device/hid_host.h"
#include "emulator/emulated_mouse.h"
#include "model/folders.h"
#include "tests/support/manual_timers.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_folder.h"
#include "toolkit/KivWindow.h"
#include "toolkit/UiServices.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/main_loop.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt::test {

// A host with nothing attached.
class NoMouseHost : public HidHost {
 public:
  std::optional<std::vector<HidDeviceInfo>> enumerate() override {
    return std::vector<HidDeviceInfo>{};
  }
  std::unique_ptr<HidConnection> open(const HidDeviceInfo&, std::string& error) override {
    error = "nothing attached";
    return nullptr;
  }
};

// Clicks a control through Qt's own event dispatch: a press and a release in its middle.
inline void click(KivImageView& view) {
  QWidget* widget = widgetOf(view);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// What a test does to a dialog once it runs.
using DialogAnswer = std::function<void(PopView&)>;
struct DialogStep {
  int32_t type;
  DialogAnswer answer;
};

// Answers the next dialogs, in order: each step waits until a dialog of its type is the
// innermost running one and not yet answered, then acts on it, the next step waiting
// already (a dialog's next step runs inside its click). The test then calls the code
// that runs the first dialog. A step still waiting when the test ends fails it, naming
// the dialog that never ran.
void whenDialogsRun(std::vector<DialogStep> steps);
inline void whenDialogRuns(int32_t type, DialogAnswer answer) {
  whenDialogsRun({{type, std::move(answer)}});
}

// Clicks the dialog's button with the ID.
void clickDialogButton(PopView& dialog, int32_t id);
// Answers that click the button with the ID.
DialogAnswer clickButton(int32_t id);

// The answers to the surface analysis: its start confirmed, the countdown left to run
// out, the finished step confirmed. The step of type `cancelOn` (if any) is cancelled
// instead, and the countdown is held until that Cancel has landed, so that it lands
// while the countdown runs. Nothing follows a start the mouse does not take.
std::vector<DialogStep> analysisAnswers(ManualTimers& timers, int32_t cancelOn = 0,
                                        bool startTaken = true);

// A main view on a private home, with scripted desktop services (alerts, panels and
// commands are recorded, nothing runs), the macOS preference store as host settings,
// whose commands the services record, and the manual clock driving its timers.
class MainViewFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    auto services = std::make_unique<ScriptedUiServices>();
    ui = services.get();
    setUiServices(std::move(services));
  }
  void TearDown() override {
    if (window) window->setContentView(nullptr);
    window.reset();
    view.reset();
    Close_device();
    setHidHost(nullptr);
    setUiServices(nullptr);
  }

  void useEmulatedMouse() {
    Close_device();
    std::string error;
    ASSERT_TRUE(installEmulatedMouse(mouseDir(), error)) << error;
  }
  void useNoMouse() {
    Close_device();
    setHidHost(std::make_unique<NoMouseHost>());
  }
  std::string mouseDir() const { return home.path() + "mouse"; }
  std::string profileFile(int profile) const { return profileFolder() + profileFileName(profile); }

  // The main view in a shown window, as the program makes it.
  VELTView& start() {
    view = std::make_unique<VELTView>(makeDefaultsPointerSettings());
    view->initView(nullptr, 0, {0, 0, 800, 600});
    window = std::make_unique<KivWindow>(Rect{0, KivWindow::screenFrame().maxY() - 600, 800, 600});
    window->setContentView(view.get());
    view->setWindow(window.get());
    window->orderFront();
    view->awakeFromNib();
    return *view;
  }

  // One tick of the one-second poll.
  void poll() { advanceTimers(VELTView::kPollInterval); }

  // The commands run through the services, in order.
  std::vector<std::string> commandsRun() const {
    std::vector<std::string> commands;
    for (const auto& call : ui->calls)
      if (call.what == "run") commands.push_back(call.first);
    return commands;
  }
  std::vector<std::string> alerts() const {
    std::vector<std::string> messages;
    for (const auto& call : ui->calls)
      if (call.what == "alert") messages.push_back(call.second);
    return messages;
  }

  ScopedHome home;
  // The mouse lock lives in the runtime folder, keyed by the mouse's location, which
  // every emulated mouse shares: tests running side by side must not see each other's.
  TempFolder runtime;
  ScopedEnv runtimeFolder{"XDG_RUNTIME_DIR", runtime.path()};
  ManualTimers timers;  // the manual clock and the poll's timer
  ScriptedUiServices* ui = nullptr;
  std::unique_ptr<VELTView> view;
  std::unique_ptr<KivWindow> window;
};

}  // namespace velt::test
