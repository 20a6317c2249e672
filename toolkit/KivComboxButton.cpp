#include "toolkit/KivComboxButton.h"

namespace velt {

namespace {

constexpr int32_t kMenuID = 0;
constexpr Point kCaptionOrigin = {10, 6};
constexpr double kMenuRowHeight = 20;

}  // namespace

KivComboxButton::KivComboxButton() = default;
KivComboxButton::~KivComboxButton() = default;

KivMenu& KivComboxButton::ensureMenu(int32_t width) {
  if (!m_menu) {
    m_menu = std::make_unique<KivMenu>();
    m_menu->initMenu(this, kMenuID, width);
  }
  return *m_menu;
}

void KivComboxButton::insertItem(int32_t id, const std::string& caption) {
  ensureMenu(static_cast<int32_t>(bounds().width)).addMenuItem(id, caption, false, true, false);
}

void KivComboxButton::insertSubItem(int32_t id, int32_t parentID, const std::string& caption) {
  if (!m_menu) return;
  m_menu->addSubMenuItem(id, parentID, caption, false, true);
  m_menu->setMenuItemEnable(parentID, true);
}

void KivComboxButton::setCurItemID(int32_t id) {
  MenuItem* item = m_menu ? m_menu->getMenuItem(id) : nullptr;
  if (!item) return;
  m_nSelItemID = id;
  setCaption(item->m_strCaption);
}

std::optional<std::string> KivComboxButton::getMenuItemString(int32_t id) const {
  MenuItem* item = m_menu ? m_menu->getMenuItem(id) : nullptr;
  if (!item) return std::nullopt;
  return item->m_strCaption;
}

bool KivComboxButton::isExistItem(int32_t id) const {
  return m_menu && m_menu->getMenuItem(id) != nullptr;
}

void KivComboxButton::setButtonFunction(const std::string& caption, int32_t bnID, int32_t bnValue) {
  m_nSelItemID = bnID;
  m_nButtonValue = bnValue;
  setCaption(caption);
}

void KivComboxButton::removeItemList(int32_t id) {
  if (!m_menu) return;
  if (id == m_menu->menuID()) {
    m_menu->removeMenus();
    m_nSelItemID = -1;
    setCaption({});
    return;
  }
  if (KivMenu* sub = m_menu->findSubMenu(id)) {
    sub->removeMenus();
    m_menu->setMenuItemEnable(id, false);
  }
}

void KivComboxButton::setMenuWidth(int32_t width) {
  if (!m_menu) {
    ensureMenu(width);
    return;
  }
  m_menu->setMenuRect({0, 0, static_cast<double>(width), kMenuRowHeight});
  m_menu->resetItemsRect();
}

void KivComboxButton::setSubMenuWidth(int32_t id, int32_t width) {
  if (m_menu) m_menu->setSubMenuWidth(id, width);
}

void KivComboxButton::select(bool flag) {
  if (flag != m_bSelected) setSelected(flag);
}

void KivComboxButton::setTextColor(const Color& color) {
  m_textColor = color;
  setNeedsDisplay();
}

void KivComboxButton::setFont(const Font& font) {
  m_pFont = font;
  setNeedsDisplay();
}

void KivComboxButton::showWindowCaption(bool flag) {
  m_bShowWindowCaption = flag;
  setNeedsDisplay();
}

void KivComboxButton::hideMenu() {
  if (m_menu) m_menu->hideMenu();
}

void KivComboxButton::subMsg(int32_t, int32_t value) {
  MenuItem* item = m_menu ? m_menu->getMenuItem(value) : nullptr;
  if (!item) return;
  // The page may change the menu while handling the report.
  const std::string caption = item->m_strCaption;
  if (!sendMsg(m_nID, value)) return;
  if (!m_bDone) {
    m_bDone = true;
    return;
  }
  m_nSelItemID = value;
  setCaption(caption);
}

void KivComboxButton::drawRect(GraphicsContext& gc, const Rect&) {
  if (Image picture = currentImage()) gc.drawImage(picture, bounds(), CompositeMode::SourceIn);
  if (!m_strCaption.empty() && m_bShowWindowCaption)
    gc.drawText(m_strCaption, kCaptionOrigin, m_pFont, m_textColor);
}

// Under the button, or standing on its top edge.
void KivComboxButton::popMenu() {
  if (!m_menu || !m_menu->window()) return;
  Point anchor = convertToScreen({0, 0});
  double menuHeight = m_menu->window()->frame().height;
  // Where it does not fit on the screen it opens on the button's other side.
  const Rect opener{anchor.x, anchor.y, bounds().width, bounds().height};
  if (m_bPopMenuUp)
    m_menu->popMenu({anchor.x, anchor.y + bounds().height + menuHeight - 1}, KivMenu::kTopLeft,
                    opener);
  else
    m_menu->popMenu({anchor.x, anchor.y - menuHeight}, KivMenu::kBottomLeft, opener);
}

void KivComboxButton::mouseUp(const MouseEvent&) {
  if (!m_bEnable) return;
  setMouseState(kNormal);
  popMenu();
}

}  // namespace velt
