#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velt {

// What the programs ask of the desktop that a test cannot click through: alerts, file
// panels, shell commands, web pages, hiding the application. The Qt implementation is
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
  // Runs a command line through the shell and waits; its exit status, -1 when it could
  // not run or did not exit normally. The command reads an empty standard input. A path
  // or other text put into the line goes through shellQuote.
  virtual int runCommand(const std::string& commandLine) = 0;
  // Opens an absolute address (with a scheme, such as https) in the desktop's browser;
  // false when the address is not one or nothing could open it.
  virtual bool openUrl(const std::string& url) = 0;
  // Hides every window of the program; showApplication shows again those it hid.
  virtual void hideApplication() = 0;
  virtual void showApplication() = 0;
};

// One word for the shell whatever the text holds (spaces, quotes, $, backquotes).
std::string shellQuote(const std::string& text);

UiServices& uiServices();
// Installs the services (tests); nullptr restores the Qt ones.
void setUiServices(std::unique_ptr<UiServices> services);

// Records every call and answers from queues; an empty queue answers "cancel", status 0
// and success.
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
  int runCommand(const std::string& commandLine) override;
  bool openUrl(const std::string& url) override;
  void hideApplication() override;
  void showApplication() override;

  std::vector<Call> calls;
  std::deque<std::optional<std::string>> panelAnswers;
  std::deque<int> commandStatuses;
  bool urlOpens = true;
};

// The real thing: QMessageBox, QFileDialog, a shell process, QDesktopServices (which
// hands the address to the desktop's opener, xdg-open on Linux).
std::unique_ptr<UiServices> makeQtUiServices();

}  // namespace velt
