#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/KivImageView.h"
#include "toolkit/KivWindow.h"
#include "toolkit/MenuItem.h"

namespace velt {

// Every menu window that exists, so that hideMenuWindows can close all open menus.
extern std::vector<KivWindow*> g_menuWindows;

// A pop-up menu in a borderless window of its own: rows of 20 points, nested submenus
// that open on hover, subMsg(menu ID, item ID) to the parent when an enabled item
// without submenu is released on. A submenu reports to its top menu's parent with its
// own ID, which is the ID of the item it hangs from.
class KivMenu : public KivImageView {
 public:
  enum Anchor { kBottomLeft = 0, kBottomRight = 1, kTopLeft = 2, kTopRight = 3 };

  KivMenu() = default;
  ~KivMenu() override;

  void initMenu(KivImageView* parent, int32_t id, int32_t width);

  // Ignored when this menu already has an item with the ID.
  void addMenuItem(int32_t id, const std::string& caption, bool selected, bool enable,
                   bool existChild);
  // Adds to the submenu of this menu's item parenID; nothing when there is no such item.
  void addSubMenuItem(int32_t id, int32_t parenID, const std::string& caption, bool seleted,
                      bool enable);
  // The submenu with the ID, created (50 wide) when there is none.
  KivMenu* getSubMenu(int32_t id);
  // The submenu with the ID, or nullptr; never creates one.
  KivMenu* findSubMenu(int32_t id) const;
  // This menu's items, then each submenu's, depth first.
  MenuItem* getMenuItem(int32_t id);
  void removeMenuItem(int32_t id);
  void removeMenus();
  int32_t getMenuCount() const { return static_cast<int32_t>(m_MenuItems.size()); }
  const std::vector<MenuItem>& menuItems() const { return m_MenuItems; }
  void setMenuItemEnable(int32_t id, bool enable);
  void setMenuItemSelected(int32_t id, bool selected);

  void setMenuRect(const Rect& rect);
  void setSubMenuWidth(int32_t id, int32_t width);
  void setLineColor(const Color& color);
  void setBkColor(const Color& color);
  void setTextColor(const Color& color);
  void setFont(const Font& font);

  // Places the window with the screen point at the anchor's corner and shows it, kept
  // on the screen by flipping it to the other side of the opener (the screen rectangle
  // of what opened it; the point itself when none is given) or sliding it.
  void popMenu(const Point& position, int32_t anchor, std::optional<Rect> opener = {});
  // Closes this menu, the menus above it and all below it.
  void hideMenu();
  void hideSubMenus();
  // ID of the item whose row holds the point (edges included), highlighting it; -1.
  int32_t hittest(const Point& point);
  int32_t menuID() const { return m_nID; }
  void setParentMenu(KivMenu* menu) { m_pParentMenu = menu; }
  KivMenu* parentMenu() const { return m_pParentMenu; }
  static void hideMenuWindows();

  KivWindow* window() const { return m_Window.get(); }
  bool isOpen() const { return m_Window && m_Window->isVisible(); }
  int32_t highlighted() const { return m_nSelItem; }
  int32_t lastHit() const { return m_nHittest; }
  // Lays the rows out: the window keeps origin and width, 20 points a row plus 8.
  void resetItemsRect();

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseMoved(const MouseEvent& event) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;
  void mouseDragged(const MouseEvent& event) override;
  bool acceptsFirstResponder() const override { return true; }

  AccessibleRole accessibleRole() const override { return AccessibleRole::Menu; }
  // The highlighted item's caption.
  std::string accessibleValue() const override;
  // Each item, the highlighted one selected.
  std::vector<AccessibleRow> accessibleRows() const override;

 private:
  int32_t rowAt(const Point& point) const;
  void hover(const Point& point);
  void openSubMenuOf(const MenuItem& item);
  void hideTree();

  int32_t m_nSelItem = -1;
  Color m_textColor = Color::gray(170 / 255.0);
  Color m_selTextColor = kAccentColor;
  Color m_lineColor = kAccentColor;
  Color m_bkColor = {0, 0, 0, 1};
  int32_t m_nHittest = -1;
  bool m_bLBtDown = false;
  bool m_bLimitWidth = true;
  Font m_pFont = systemFont(11);
  KivMenu* m_pParentMenu = nullptr;
  std::vector<MenuItem> m_MenuItems;
  std::vector<std::unique_ptr<KivMenu>> m_SubMenus;
  std::unique_ptr<KivWindow> m_Window;
};

}  // namespace velt
