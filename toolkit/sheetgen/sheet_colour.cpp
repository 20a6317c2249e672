// The colour palette "ColorPanel.bmp", painted from the same table the palette hit-tests
// with.
#include "toolkit/color_panel_layout.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

// Each square covers exactly the pixels inside its hit rectangle, so the one-pixel gaps
// between squares show the panel.
void paintColorPanel(QPainter& painter, QSize size, SheetState) {
  painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
  painter.setPen(kOutline);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  for (int i = 0; i < kColorPanelSquareCount; ++i) {
    const PanelSquareEdges e = colorPanelSquare(i);
    const PanelColor c = kColorPanelColors[static_cast<size_t>(i)];
    painter.fillRect(QRect(e.left, e.top, e.right - e.left, e.bottom - e.top),
                     QColor(c.red, c.green, c.blue));
  }
}

const RegisterSheet kColorPanel{"ColorPanel.bmp", QSize(kColorPanelWidth, kColorPanelHeight),
                                paintColorPanel};

}  // namespace

}  // namespace velt::sheetgen
