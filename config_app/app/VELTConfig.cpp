#include "config_app/app/VELTConfig.h"

#include <cmath>

#include "config_app/host_settings/HostPointerSettings.h"
#include "config_app/main/VELTView.h"
#include "config_app/mouse/VeltMouse.h"
#include "toolkit/UiServices.h"
#include "toolkit/layout/main_layout.h"

namespace velt {

namespace {

Rect centredOnScreen(Size size) {
  Rect screen = KivWindow::screenFrame();
  return {std::round(screen.x + (screen.width - size.width) / 2),
          std::round(screen.y + (screen.height - size.height) / 2), size.width, size.height};
}

}  // namespace

VELTConfig::VELTConfig(std::unique_ptr<HostPointerSettings> hostSettings)
    : m_VELTView(std::make_unique<VELTView>(std::move(hostSettings), deviceMouse())),
      m_MainWindow(std::make_unique<KivWindow>(centredOnScreen(kMainWindowSize))) {
  m_MainWindow->setTitle("VELTPLUS");
  m_MainWindow->setMovableByWindowBackground(false);
  m_VELTView->initView(nullptr, 0, {0, 0, kMainWindowSize.width, kMainWindowSize.height});
  m_VELTView->setWindow(m_MainWindow.get());
  m_MainWindow->setContentView(m_VELTView.get());
  m_VELTView->awakeFromNib();
}

VELTConfig::~VELTConfig() {
  m_MainWindow->setContentView(nullptr);
}

void VELTConfig::showWindow() {
  uiServices().showApplication();
  m_MainWindow->makeKeyAndOrderFront();
  m_VELTView->windowShown();
}

void VELTConfig::hideWindow() {
  m_MainWindow->orderOut();
  m_VELTView->windowHidden();
}

}  // namespace velt
