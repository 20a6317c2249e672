#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "toolkit/KivButton.h"
#include "toolkit/KivMenu.h"

namespace velt {

// A drop-down button: the pictures and states of KivButton, a caption, and a KivMenu
// that opens under (or above) it on release. The chosen item's ID goes to the parent as
// subMsg(own ID, item ID); the caption follows unless setDone(false) asked the page to
// decide it for this one choice.
class KivComboxButton : public KivButton {
 public:
  KivComboxButton();
  ~KivComboxButton() override;

  void insertItem(int32_t id, const std::string& caption);
  void insertSubItem(int32_t id, int32_t parentID, const std::string& caption);
  // Shows the item's caption; an ID that is not in the menu changes nothing.
  void setCurItemID(int32_t id);
  int32_t getCurItemID() const { return m_nSelItemID; }
  std::optional<std::string> getMenuItemString(int32_t id) const;
  bool isExistItem(int32_t id) const;
  void setButtonFunction(const std::string& caption, int32_t bnID, int32_t bnValue);
  int32_t getButtonFunction() const { return m_nButtonValue; }
  // The menu's own ID (0) empties the menu and the caption; a submenu's ID empties that
  // submenu and disables its item.
  void removeItemList(int32_t id);
  void setMenuWidth(int32_t width);
  void setSubMenuWidth(int32_t id, int32_t width);
  void select(bool flag);
  void setTextColor(const Color& color);
  void setFont(const Font& font);
  void setFontSize(double size) { setFont(systemFont(size)); }
  void showWindowCaption(bool flag);
  void setDone(bool flag) { m_bDone = flag; }
  bool done() const { return m_bDone; }
  void setPopMenuUp(bool flag) { m_bPopMenuUp = flag; }
  void hideMenu();
  KivMenu* menu() const { return m_menu.get(); }

  // From its menu: the item chosen.
  void subMsg(int32_t id, int32_t value) override;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseUp(const MouseEvent& event) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::ComboBox; }
  std::string accessibleValue() const override { return m_strCaption; }

 private:
  KivMenu& ensureMenu(int32_t width);
  void popMenu();

  std::unique_ptr<KivMenu> m_menu;
  int32_t m_nSelItemID = -1;
  int32_t m_nButtonValue = -1;
  Font m_pFont = systemFont(9);
  Color m_textColor = kWhiteColor;
  Color m_selTextColor = kAccentColor;
  bool m_bShowWindowCaption = true;
  bool m_bDone = true;
  bool m_bPopMenuUp = false;
};

}  // namespace velt
