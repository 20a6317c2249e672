#pragma once

#include <memory>

#include "toolkit/KivWindow.h"

namespace velt {

class HostPointerSettings;
class VELTView;

// The main window and its main view: a borderless 800 x 600 window in the middle of the
// screen, dragged by its top band.
class VELTConfig {
 public:
  explicit VELTConfig(std::unique_ptr<HostPointerSettings> hostSettings);
  ~VELTConfig();

  KivWindow& window() { return *m_MainWindow; }
  VELTView& view() { return *m_VELTView; }
  // Shows the window in front, also after the program was hidden.
  void showWindow();
  // Takes the window off screen, the program running on (closed to the tray).
  void hideWindow();

 private:
  std::unique_ptr<VELTView> m_VELTView;
  std::unique_ptr<KivWindow> m_MainWindow;
};

}  // namespace velt
