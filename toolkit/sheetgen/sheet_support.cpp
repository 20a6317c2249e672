// The support page's sheets "Support_Normal.bmp" to "Support_Disable.bmp": the versions,
// what the page offers, and the four buttons to the support site.
#include "toolkit/layout/support_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintSupport(QPainter& painter, QSize size, SheetState state) {
  int h = size.height();
  painter.fillRect(QRect(QPoint(0, 0), size), kPanel);
  paintPanel(painter, sheetRect(kSupportVersionPanel, h), "Versions");
  paintPanel(painter, sheetRect(kSupportLinksPanel, h), "VELT support on the web");
  for (const ControlLayout& label : {kSupportSoftwareVersion, kSupportFirmwareVersion})
    paintText(painter, sheetRect(label.label, h), label.wording, kTextDim, 12);
  paintWrappedText(painter, sheetRect(kSupportHelpText, h).adjusted(16, 0, -16, 0),
                   "The buttons on the right open the VELT support site in your web browser: "
                   "help with the mouse, product registration, software and manuals, and "
                   "answers to frequently asked questions.\n\nThe firmware version is read from "
                   "the mouse each time this page opens; \"-.--\" means no mouse was found.",
                   kTextDim, 12);
  for (const SupportLink& link : kSupportButtons)
    paintButtonFace(painter, sheetRect(link.button.frame, h), state, link.button.wording);
}

const RegisterSheetFamily kSupportSheets{"Support",
                                         QSize(kSupportPageSize.width, kSupportPageSize.height),
                                         {"Normal", "Over", "Down", "Disable"},
                                         paintSupport};

}  // namespace

}  // namespace velt::sheetgen
