#include "config_app/app/DesktopShell.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMenu>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>
#include <chrono>
#include <csignal>

#include "base/log.h"
#include "config_app/app/VELTConfig.h"
#include "toolkit/KivWindow.h"
#include "toolkit/platform/program_icon.h"
#include "toolkit/platform/qt_windows.h"

namespace velt {

namespace {

constexpr std::chrono::milliseconds kTrayAtTheLatest{2000};

// The write end of the signal pipe; a signal handler may only write to it.
int gSignalWriteFd = -1;

void onQuitSignal(int signal) {
  char byte = static_cast<char>(signal);
  if (gSignalWriteFd >= 0) (void)!write(gSignalWriteFd, &byte, 1);
}

}  // namespace

DesktopShell::DesktopShell(VELTConfig& config) : config_(config) {
  QWidget* window = widgetOf(config_.window());
  if (window->isVisible()) {
    window->installEventFilter(this);
    // A window that never paints (minimised at once) still gets its tray.
    QTimer::singleShot(kTrayAtTheLatest, this, [this] { createTray(); });
  } else {
    createTray();
  }
  watchQuitSignals();
  config_.window().setOnCloseRequest([this] { closeRequested(); });
}

DesktopShell::~DesktopShell() {
  config_.window().setOnCloseRequest({});
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
}

bool DesktopShell::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) {
    watched->removeEventFilter(this);
    // After this paint, not inside it.
    QMetaObject::invokeMethod(
        this, [this] { createTray(); }, Qt::QueuedConnection);
  }
  return false;
}

void DesktopShell::createTray() {
  if (trayAsked_) return;
  trayAsked_ = true;
  if (!QSystemTrayIcon::isSystemTrayAvailable()) {
    logLine("no system tray: closing the window quits VELTPLUS");
    return;
  }
  tray_ = std::make_unique<QSystemTrayIcon>(programIcon());
  tray_->setToolTip("VELTPLUS");
  auto* menu = new QMenu();
  menu->addAction("Show VELTPLUS", [this] { config_.showWindow(); });
  menu->addAction("Quit", [] { QApplication::quit(); });
  tray_->setContextMenu(menu);
  QObject::connect(tray_.get(), &QObject::destroyed, menu, &QObject::deleteLater);
  QObject::connect(tray_.get(), &QSystemTrayIcon::activated, this,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     if (reason == QSystemTrayIcon::Trigger) config_.showWindow();
                   });
  tray_->show();
}

void DesktopShell::closeRequested() {
  if (tray_)
    config_.hideWindow();
  else
    QApplication::quit();
}

void DesktopShell::watchQuitSignals() {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
    logLine("cannot watch SIGTERM and SIGINT");
    return;
  }
  gSignalWriteFd = fds[1];
  signalNotifier_ = std::make_unique<QSocketNotifier>(fds[0], QSocketNotifier::Read);
  QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, this, [fd = fds[0]] {
    char byte;
    (void)!read(fd, &byte, 1);
    QApplication::quit();
  });
  struct sigaction action = {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace velt
