#include "toolkit/ColorPanel.h"

#include <cstdio>

#include "toolkit/color_panel_layout.h"

namespace velt {

ColorPanel::ColorPanel() = default;

// The view leaves the window before the window goes.
ColorPanel::~ColorPanel() {
  if (m_window) m_window->setContentView(nullptr);
}

void ColorPanel::initView(KivImageView* parent, int32_t id, const Rect& rect) {
  m_window = std::make_unique<KivWindow>(rect, KivWindow::Style::Panel);
  // A press on the palette picks a colour; it never drags the window.
  m_window->setMovableByWindowBackground(false);
  m_window->orderOut();
  KivImageView::initView(parent, id, rect.bounds());
  m_window->setContentView(this);
  // Closed by the desktop (a press outside, Escape, a Wayland compositor's dismissal).
  m_window->setOnCloseRequest([this] { hidePanel(); });
  setHidden(true);
}

void ColorPanel::popPanel(const Point& screenPoint, std::optional<Rect> opener) {
  Size size = m_bkImage.size();
  // Without its picture the palette still opens at the size its squares assume.
  if (size.isEmpty()) size = {kColorPanelWidth, kColorPanelHeight};
  m_window->popUp({screenPoint.x, screenPoint.y - size.height, size.width, size.height},
                  opener.value_or(Rect{screenPoint.x, screenPoint.y, 0, 0}), m_pParent);
  setFrame({0, 0, size.width, size.height});
  if (m_clButtons.empty()) createButtons();
  setHidden(false);
  setNeedsDisplay();
}

void ColorPanel::hidePanel() {
  setHidden(true);
  if (m_window) m_window->orderOut();
}

Rect ColorPanel::logicRect(int32_t left, int32_t top, int32_t right, int32_t bottom) const {
  const double h = bounds().height;
  return {static_cast<double>(left), h - bottom, static_cast<double>(right - left),
          static_cast<double>(bottom - top)};
}

void ColorPanel::addButton(const Rect& rect, const Color& color) {
  m_clButtons.emplace_back(rect, color);
}

void ColorPanel::createButtons() {
  for (int i = 0; i < kColorPanelSquareCount; ++i) {
    const PanelSquareEdges e = colorPanelSquare(i);
    const PanelColor c = kColorPanelColors[static_cast<size_t>(i)];
    addButton(logicRect(e.left, e.top, e.right, e.bottom), Color::fromRgb8(c.red, c.green, c.blue));
  }
}

Color ColorPanel::colorInIndex(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_clButtons.size()) return {0, 0, 0, 1};
  return m_clButtons[static_cast<size_t>(index)].color();
}

// Taken, so that the release comes back to the panel.
void ColorPanel::mouseDown(const MouseEvent&) {}

void ColorPanel::mouseDragged(const MouseEvent&) {}

void ColorPanel::mouseUp(const MouseEvent& event) {
  for (size_t i = 0; i < m_clButtons.size(); ++i) {
    if (!m_clButtons[i].hit(event.location)) continue;
    if (!sendMsg(m_nID, static_cast<int32_t>(i))) return;
    hidePanel();
    return;
  }
}

std::vector<AccessibleRow> ColorPanel::accessibleRows() const {
  std::vector<AccessibleRow> rows;
  for (const ColorButton& square : m_clButtons)
    rows.push_back({AccessibleRole::ListItem, colorHexName(square.color()), square.rect()});
  return rows;
}

std::string colorHexName(const Color& color) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", toByte(color.red), toByte(color.green),
                toByte(color.blue));
  return text;
}

}  // namespace velt
