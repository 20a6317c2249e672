#include "toolkit/KivMenu.h"

#include <algorithm>

namespace velt {

std::vector<KivWindow*> g_menuWindows;

namespace {

constexpr double kRowHeight = 20;
constexpr double kRowInset = 1;
constexpr double kRowWidthLoss = 15;
constexpr double kMenuPadding = 8;
constexpr double kFirstRowFromTop = 24;
constexpr Point kCaptionOffset = {10, 5};
constexpr int32_t kSubMenuWidth = 50;
constexpr double kSubMenuOverlap = 5;

}  // namespace

KivMenu::~KivMenu() {
  // A window that is gone must not be ordered out later.
  if (m_Window)
    g_menuWindows.erase(std::remove(g_menuWindows.begin(), g_menuWindows.end(), m_Window.get()),
                        g_menuWindows.end());
}

void KivMenu::initMenu(KivImageView* parent, int32_t id, int32_t width) {
  Rect content{0, 0, static_cast<double>(width), kRowHeight};
  initView(parent, id, content);
  m_Window = std::make_unique<KivWindow>(content, KivWindow::Style::Panel);
  m_Window->setMovableByWindowBackground(false);
  m_Window->orderOut();
  m_Window->setContentView(this);
  // Closed by the desktop (a press outside, Escape, a Wayland compositor's dismissal):
  // the whole tree goes, as after a choice.
  m_Window->setOnCloseRequest([this] { hideMenu(); });
  m_nSelItem = -1;
  m_nHittest = -1;
  g_menuWindows.push_back(m_Window.get());
}

void KivMenu::addMenuItem(int32_t id, const std::string& caption, bool selected, bool enable,
                          bool existChild) {
  for (const MenuItem& item : m_MenuItems)
    if (item.m_uID == id) return;
  m_MenuItems.push_back({id, {}, caption, selected, enable, existChild});
  resetItemsRect();
}

void KivMenu::addSubMenuItem(int32_t id, int32_t parenID, const std::string& caption, bool seleted,
                             bool enable) {
  for (MenuItem& item : m_MenuItems) {
    if (item.m_uID != parenID) continue;
    item.m_bExistChild = true;
    getSubMenu(parenID)->addMenuItem(id, caption, seleted, enable, false);
    return;
  }
}

KivMenu* KivMenu::findSubMenu(int32_t id) const {
  for (const auto& sub : m_SubMenus)
    if (sub->menuID() == id) return sub.get();
  return nullptr;
}

KivMenu* KivMenu::getSubMenu(int32_t id) {
  if (KivMenu* sub = findSubMenu(id)) return sub;
  auto sub = std::make_unique<KivMenu>();
  sub->initMenu(m_pParent, id, kSubMenuWidth);
  sub->setParentMenu(this);
  m_SubMenus.push_back(std::move(sub));
  return m_SubMenus.back().get();
}

MenuItem* KivMenu::getMenuItem(int32_t id) {
  for (MenuItem& item : m_MenuItems)
    if (item.m_uID == id) return &item;
  for (const auto& sub : m_SubMenus)
    if (MenuItem* item = sub->getMenuItem(id)) return item;
  return nullptr;
}

void KivMenu::removeMenuItem(int32_t id) {
  auto gone = std::remove_if(m_MenuItems.begin(), m_MenuItems.end(),
                             [id](const MenuItem& item) { return item.m_uID == id; });
  if (gone == m_MenuItems.end()) return;
  m_MenuItems.erase(gone, m_MenuItems.end());
  m_nSelItem = -1;
  resetItemsRect();
}

void KivMenu::removeMenus() {
  m_MenuItems.clear();
  m_nSelItem = -1;
  resetItemsRect();
}

void KivMenu::setMenuItemEnable(int32_t id, bool enable) {
  for (MenuItem& item : m_MenuItems)
    if (item.m_uID == id) item.m_bEnable = enable;
  setNeedsDisplay();
}

void KivMenu::setMenuItemSelected(int32_t id, bool selected) {
  for (MenuItem& item : m_MenuItems)
    if (item.m_uID == id) item.m_bSelected = selected;
}

void KivMenu::setMenuRect(const Rect& rect) {
  if (m_Window) m_Window->setFrame(rect);
  setFrame(rect.bounds());
}

void KivMenu::setSubMenuWidth(int32_t id, int32_t width) {
  getSubMenu(id)->setMenuRect({0, 0, static_cast<double>(width), kRowHeight});
}

void KivMenu::setLineColor(const Color& color) {
  m_lineColor = color;
  setNeedsDisplay();
}

void KivMenu::setBkColor(const Color& color) {
  m_bkColor = color;
  setNeedsDisplay();
}

void KivMenu::setTextColor(const Color& color) {
  m_textColor = color;
  setNeedsDisplay();
}

void KivMenu::setFont(const Font& font) {
  m_pFont = font;
  setNeedsDisplay();
}

void KivMenu::resetItemsRect() {
  auto n = static_cast<double>(m_MenuItems.size());
  if (m_MenuItems.empty()) {
    hideMenu();
    return;
  }
  Rect frame = m_Window ? m_Window->frame() : this->frame();
  double height = kRowHeight * n + kMenuPadding;
  setMenuRect({frame.x, frame.y, frame.width, height});
  for (size_t i = 0; i < m_MenuItems.size(); ++i)
    m_MenuItems[i].m_rcItem = {kRowInset, height - kFirstRowFromTop - kRowHeight * i,
                               frame.width - kRowWidthLoss, kRowHeight};
  setNeedsDisplay();
}

void KivMenu::popMenu(const Point& position, int32_t anchor, std::optional<Rect> opener) {
  m_nSelItem = -1;
  resetItemsRect();
  if (!m_Window) return;
  Rect frame = m_Window->frame();
  bool right = anchor == kBottomRight || anchor == kTopRight;
  bool top = anchor == kTopLeft || anchor == kTopRight;
  if (anchor >= kBottomLeft && anchor <= kTopRight)
    frame = {right ? position.x - frame.width : position.x,
             top ? position.y - frame.height : position.y, frame.width, frame.height};
  if (m_MenuItems.empty()) {
    m_Window->setFrame(frame);
    return;
  }
  // A submenu belongs to its menu's window, a menu to its opener's.
  const KivImageView* owner = m_pParentMenu ? m_pParentMenu : m_pParent;
  m_Window->popUp(frame, opener.value_or(Rect{position.x, position.y, 0, 0}), owner);
  becomeFirstResponder();
  setNeedsDisplay();
}

void KivMenu::hideTree() {
  if (m_Window) m_Window->orderOut();
  for (const auto& sub : m_SubMenus) sub->hideTree();
}

void KivMenu::hideMenu() {
  KivMenu* top = this;
  while (top->m_pParentMenu) top = top->m_pParentMenu;
  top->hideTree();
}

void KivMenu::hideSubMenus() {
  for (const auto& sub : m_SubMenus) {
    sub->hideSubMenus();
    if (sub->m_Window) sub->m_Window->orderOut();
  }
}

void KivMenu::hideMenuWindows() {
  for (KivWindow* window : g_menuWindows) window->orderOut();
}

int32_t KivMenu::rowAt(const Point& point) const {
  for (size_t i = 0; i < m_MenuItems.size(); ++i)
    if (m_MenuItems[i].m_rcItem.contains(point)) return static_cast<int32_t>(i);
  return -1;
}

int32_t KivMenu::hittest(const Point& point) {
  m_nSelItem = rowAt(point);
  return m_nSelItem < 0 ? -1 : m_MenuItems[m_nSelItem].m_uID;
}

// The submenu's top lines up with the row's top and overlaps this menu by 5 points.
void KivMenu::openSubMenuOf(const MenuItem& item) {
  KivMenu* sub = getSubMenu(item.m_uID);
  Rect menu = m_Window ? m_Window->frame() : frame();
  double subHeight = sub->m_Window ? sub->m_Window->frame().height : sub->frame().height;
  // Beside this menu, at the row: where it does not fit on the right it opens on the left.
  const Rect row{menu.x, menu.y + item.m_rcItem.y, menu.width, item.m_rcItem.height};
  sub->popMenu({menu.x + menu.width - kSubMenuOverlap,
                menu.y + item.m_rcItem.y + item.m_rcItem.height - subHeight},
               kBottomLeft, row);
}

void KivMenu::hover(const Point& point) {
  int32_t row = rowAt(point);
  if (row < 0) return;
  const MenuItem& item = m_MenuItems[row];
  if (item.m_bExistChild && item.m_bEnable) {
    if (row != m_nSelItem) {
      hideSubMenus();
      openSubMenuOf(item);
    }
  } else {
    hideSubMenus();
  }
  if (row != m_nSelItem) {
    m_nSelItem = row;
    setNeedsDisplay();
    if (host()) host()->accessibilityChanged();
  }
}

void KivMenu::mouseMoved(const MouseEvent& event) {
  hover(event.location);
}

void KivMenu::mouseDragged(const MouseEvent& event) {
  hover(event.location);
}

void KivMenu::mouseDown(const MouseEvent& event) {
  m_bLBtDown = true;
  hover(event.location);
}

void KivMenu::mouseUp(const MouseEvent& event) {
  m_bLBtDown = false;
  m_nSelItem = -1;
  m_nHittest = hittest(event.location);
  if (m_nHittest == -1) return;
  MenuItem* item = getMenuItem(m_nHittest);
  if (!item) return;
  // Copies: the parent's handler may change this menu.
  const bool hasChild = item->m_bExistChild;
  const int32_t itemId = item->m_uID;
  if (item->m_bEnable && m_pParent && !hasChild) {
    hideMenu();
    if (!sendMsg(m_nID, itemId)) return;
  }
  if (!hasChild) hideMenu();
}

void KivMenu::drawRect(GraphicsContext& gc, const Rect&) {
  Rect all = bounds();
  gc.fillRect(all, m_bkColor, CompositeMode::Copy);
  gc.strokeRect(all, m_lineColor);
  for (size_t i = 0; i < m_MenuItems.size(); ++i) {
    const MenuItem& item = m_MenuItems[i];
    const Rect& r = item.m_rcItem;
    if (item.m_bExistChild) {
      double right = r.x + r.width;
      Point a{right - 10, r.y + 5}, b{right - 10, r.y + r.height - 5};
      Point c{right - 5, r.y + r.height / 2};
      gc.strokeLine(a, b, m_lineColor);
      gc.strokeLine(b, c, m_lineColor);
      gc.strokeLine(c, a, m_lineColor);
    }
    bool lit = static_cast<int32_t>(i) == m_nSelItem;
    gc.drawText(item.m_strCaption, {r.x + kCaptionOffset.x, r.y + kCaptionOffset.y}, m_pFont,
                lit ? m_selTextColor : m_textColor);
  }
}

std::string KivMenu::accessibleValue() const {
  if (m_nSelItem < 0 || m_nSelItem >= getMenuCount()) return {};
  return m_MenuItems[m_nSelItem].m_strCaption;
}

std::vector<AccessibleRow> KivMenu::accessibleRows() const {
  std::vector<AccessibleRow> rows;
  for (size_t i = 0; i < m_MenuItems.size(); ++i) {
    const MenuItem& item = m_MenuItems[i];
    rows.push_back({AccessibleRole::MenuItem, item.m_strCaption, item.m_rcItem,
                    static_cast<int32_t>(i) == m_nSelItem, item.m_bEnable, item.m_bExistChild});
  }
  return rows;
}

}  // namespace velt
