#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QSystemTrayIcon>

#include <memory>

namespace velt {

class VELTConfig;

// What keeps a hidden VELTPLUS within reach on a Linux desktop: the tray icon with "Show
// VELTPLUS" and "Quit", the window manager's close (hide where there is a tray, quit
// where there is none), and SIGTERM and SIGINT quitting through the event loop, so that
// nothing is cut off halfway.
//
// Where the window is shown already, the tray comes once it has painted: asking whether
// there is a tray connects to the session bus, which would hold the window back.
class DesktopShell : public QObject {
 public:
  explicit DesktopShell(VELTConfig& config);
  ~DesktopShell() override;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createTray();
  void watchQuitSignals();
  void closeRequested();

  VELTConfig& config_;
  bool trayAsked_ = false;
  std::unique_ptr<QSystemTrayIcon> tray_;
  std::unique_ptr<QSocketNotifier> signalNotifier_;
};

}  // namespace velt
