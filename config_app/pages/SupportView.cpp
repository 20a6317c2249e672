#include "config_app/pages/SupportView.h"

#include <array>
#include <cstdio>

#include "toolkit/UiServices.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/support_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

void placeLabel(KivImageView& page, KivStatic& label, const ControlLayout& layout) {
  placeControl(page, label, layout);
  label.setFont(systemFont(12));
}

}  // namespace

void SupportView::initCtrls() {
  std::array<KivButton*, 4> buttons = {&m_BnOnlineSupport, &m_BnProductRegistration, &m_BnDownloads,
                                       &m_BnFQA};
  for (size_t i = 0; i < buttons.size(); ++i)
    placeWithPictures(*this, *buttons[i], kSupportButtons[i].button, GetImage,
                      DisabledPicture::kNone);
  placeLabel(*this, m_StaticSoftVersion, kSupportSoftwareVersion);
  m_StaticSoftVersion.setCurText(kApplicationVersion);
  placeLabel(*this, m_StaticFirmVersion, kSupportFirmwareVersion);
  updateFirmVersion();
}

void SupportView::updateFirmVersion() {
  // A version never read is unknown, not "0.00".
  m_StaticFirmVersion.setCurText(m_mouse->firmwareVersion().value_or("-.--"));
}

void SupportView::OnCmd(int32_t id) {
  for (const SupportLink& link : kSupportButtons)
    if (link.button.id == id) {
      uiServices().openUrl(std::string(kSupportSiteAddress) + link.path);
      return;
    }
}

}  // namespace velt
