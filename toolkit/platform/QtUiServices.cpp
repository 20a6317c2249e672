#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "base/log.h"
#include "toolkit/LatestTaskWorker.h"
#include "toolkit/UiServices.h"
#include "toolkit/platform/WindowWidget.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {

namespace {

// Every alert and panel has the program's window it belongs to as parent, so that it is
// transient for that window: the desktop centres it there and keeps it above.
class QtUiServices : public UiServices {
 public:
  void alert(const std::string& title, const std::string& message) override {
    QMessageBox box(QMessageBox::NoIcon, qt::toQString(title), qt::toQString(message),
                    QMessageBox::Ok, WindowWidget::dialogOwner());
    box.exec();
  }

  std::optional<std::string> openPanel(const std::string& title) override {
    QString path = QFileDialog::getOpenFileName(WindowWidget::dialogOwner(), qt::toQString(title));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  }

  std::optional<std::string> savePanel(const std::string& title,
                                       const std::string& suggestedName) override {
    QString path = QFileDialog::getSaveFileName(WindowWidget::dialogOwner(), qt::toQString(title),
                                                qt::toQString(suggestedName));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  }

  ProgramOutcome runProgram(const ProgramCall& call, std::chrono::milliseconds timeout) override {
    return velt::runProgram(call, timeout);
  }

  void runInBackground(std::vector<ProgramCall> calls, std::chrono::milliseconds timeout) override {
    worker_.post([calls = std::move(calls), timeout] {
      for (const ProgramCall& call : calls)
        if (auto failure = programFailure(call, velt::runProgram(call, timeout), timeout))
          logLine(*failure);
    });
  }

  // A relative address would be taken for a file of the working folder.
  bool openUrl(const std::string& url) override {
    QUrl address(qt::toQString(url), QUrl::StrictMode);
    if (!address.isValid() || address.isRelative()) return false;
    return QDesktopServices::openUrl(address);
  }

  void hideApplication() override {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible()) {
        hidden_.push_back(window);
        window->hide();
      }
  }

  void showApplication() override {
    for (QWidget* window : hidden_)
      if (window) window->show();
    hidden_.clear();
  }

 private:
  std::vector<QPointer<QWidget>> hidden_;
  // Last, so that it is gone (its thread joined) before the rest.
  LatestTaskWorker worker_;
};

}  // namespace

std::unique_ptr<UiServices> makeQtUiServices() {
  return std::make_unique<QtUiServices>();
}

}  // namespace velt
