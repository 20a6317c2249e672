#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/run_program.h"

namespace velt {

// What the programs ask of the desktop that a test cannot click through: alerts, file
// panels, host programs, web pages, hiding the application. The Qt implementation is
// the default; tests install a scripted one.
class UiServices {
 public:
  virtual ~UiServices() = default;

  // A modal alert with one "OK" button.
  virtual void alert(const std::string& title, const std::string& message) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> openPanel(const std::string& title) = 0;
  virtual std::optional<std::string> savePanel(const std::string& title,
                                               const std::string& suggestedName) = 0;
  // Runs the program with its arguments (no shell) and waits at most `timeout`; see
  // runProgram in run_program.h.
  virtual ProgramOutcome runProgram(const ProgramCall& call, std::chrono::milliseconds timeout) = 0;
  // Hands the programs to a worker thread that runs them one after the other, each as
  // runProgram with the timeout, and logs every run that does not succeed; returns at
  // once. Programs handed over while earlier ones still wait replace them: only the
  // latest settings are written. Those already running are finished.
  virtual void runInBackground(std::vector<ProgramCall> calls,
                               std::chrono::milliseconds timeout) = 0;
  // Opens an absolute address (with a scheme, such as https) in the desktop's browser;
  // false when the address is not one or nothing could open it.
  virtual bool openUrl(const std::string& url) = 0;
  // Hides every window of the program; showApplication shows again those it hid.
  virtual void hideApplication() = 0;
  virtual void showApplication() = 0;
};

UiServices& uiServices();
// Installs the services (tests); nullptr restores the Qt ones.
void setUiServices(std::unique_ptr<UiServices> services);

// Records every call and answers from queues; an empty queue answers "cancel", status 0
// and success. It runs no program: each is recorded as "run" with its words joined by
// spaces, and those handed to the background at once, with "background" as second.
class ScriptedUiServices : public UiServices {
 public:
  struct Call {
    std::string what;  // "alert", "open", "save", "run", "url", "hide", "show"
    std::string first;
    std::string second;
    friend bool operator==(const Call&, const Call&) = default;
  };

  void alert(const std::string& title, const std::string& message) override;
  std::optional<std::string> openPanel(const std::string& title) override;
  std::optional<std::string> savePanel(const std::string& title,
                                       const std::string& suggestedName) override;
  ProgramOutcome runProgram(const ProgramCall& call, std::chrono::milliseconds timeout) override;
  void runInBackground(std::vector<ProgramCall> calls, std::chrono::milliseconds timeout) override;
  bool openUrl(const std::string& url) override;
  void hideApplication() override;
  void showApplication() override;

  std::vector<Call> calls;
  std::deque<std::optional<std::string>> panelAnswers;
  std::deque<int> commandStatuses;
  bool urlOpens = true;
};

// The real thing: QMessageBox, QFileDialog, runProgram on a LatestTaskWorker,
// QDesktopServices (which hands the address to the desktop's opener, xdg-open on Linux).
std::unique_ptr<UiServices> makeQtUiServices();

}  // namespace velt
