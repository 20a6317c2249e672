#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/MacroLibrary.h"
#include "model/MacroView.h"
#include "toolkit/KivEdit.h"
#include "toolkit/KivImageView.h"
#include "toolkit/KivMenu.h"
#include "toolkit/KivScrollCtrl.h"

namespace velt {

// The macro page's event list: the rows of the current macro (key presses and releases,
// mouse events, each with its delay), row selection, a context menu that inserts mouse
// events and delays, and the delay field. It owns the macro library. Key events are not
// handled here: they go on to the page, which records them.
class KivMacroCtrl : public KivImageView, public MacroView {
 public:
  static constexpr int32_t kScrollID = 100;
  // To the parent page: start recording before (1) or after (2) the selected row.
  static constexpr int32_t kMsgRecordAt = 116;
  // Context menu items (submenus 3, 7, 11, 15, 19, 23 and 27 only open).
  enum MenuItemID {
    kRecordBefore = 1,
    kRecordAfter = 2,
    kInsertMouseEvent = 3,
    kInsertDelay = 4,
    kEditDelay = 5,
    kDeleteEvent = 6,
    kScrollWheel = 27,
    kWheelDown = 28,
    kWheelUp = 29,
  };

  KivMacroCtrl();
  ~KivMacroCtrl() override;

  // Library (stored as the library's files).
  bool setMacroPath(const std::string& folder);
  bool saveMacroItems() { return library_.saveMacroItems(); }
  bool readMacroItems();
  MacroLibrary& library() { return library_; }
  const MacroLibrary& library() const { return library_; }
  const std::vector<std::unique_ptr<Macro>>& macros() const { return library_.macros(); }
  Macro* getMacro(int32_t id) const { return library_.macroWithID(id); }
  Macro& newMacro(int32_t id, const std::string& name);
  // A profile's macro joins the library (its empty events dropped); nullptr when one
  // with its ID is there already.
  Macro* newMacro(const MacroData& data);
  void setCurMacro(int32_t id, const std::string& name);
  Macro* curMacro() const { return m_pCurMacro; }
  // Takes every library macro with the ID out; the current one too.
  void deleteItem(int32_t id);
  std::optional<MacroData> getMacroData(int32_t id) const { return library_.macroData(id); }

  // The current macro's rows; nothing without a current macro. addItem answers false,
  // adding nothing, when the macro holds as many events as a macro can keep.
  bool addItem(uint64_t type, uint64_t action, uint64_t state, uint64_t delay);
  bool isFull() const;
  void deleteSelItem();
  EventItem* getSelItem();
  void removeItems();
  bool isHoldMacro() const;
  // Opens the delay field on the selected row.
  void editDelay();
  // Commits an open delay field: a number other than 0 (and not negative) becomes the
  // selected row's delay. False when the field was not open.
  bool editInput();

  bool isRecord() const { return m_bRecord; }
  void setRecord(bool flag) { m_bRecord = flag; }
  int32_t insertMode() const { return m_nInsertMode; }

  void initMenu();
  KivMenu* menu() const { return m_menu.get(); }
  void setScrollImage(const Image& track, const Image& sliderNormal, const Image& sliderOver,
                      const Image& lastNormal, const Image& lastOver, const Image& nextNormal,
                      const Image& nextOver);
  KivScrollCtrl* scroll() const { return m_scroll.get(); }
  KivEdit* delayField() const { return m_delayField.get(); }
  bool isDelayFieldOpen() const { return m_delayField && !m_delayField->isHidden(); }

  // From the scroll bar, the current macro and the menu.
  void subMsg(int32_t id, int32_t value) override;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  void mouseDown(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;
  void rightMouseDown(const MouseEvent& event) override;
  bool acceptsFirstResponder() const override { return true; }

  AccessibleRole accessibleRole() const override { return AccessibleRole::List; }
  std::string accessibleValue() const override;
  // Each row as "A press, 0 ms".
  std::vector<AccessibleRow> accessibleRows() const override;

 private:
  void menuCommand(int32_t item);
  void addMouseEvent(uint16_t action, bool down, bool up);
  bool isMenuMessage(int32_t id) const;
  void redraw();

  Macro* m_pCurMacro = nullptr;
  std::unique_ptr<KivMenu> m_menu;
  std::unique_ptr<KivEdit> m_delayField;
  std::unique_ptr<KivScrollCtrl> m_scroll;
  int32_t m_nInsertMode = Macro::kAppend;
  bool m_bRecord = false;
  MacroLibrary library_;
  Color m_normalColor = Color::gray(190 / 255.0);
  Color m_selColor = {179 / 255.0, 211 / 255.0, 53 / 255.0, 1};
  Font m_font = systemFont(11);
};

// How the event list reads a row: "A press, 250 ms", "Right button up, 0 ms".
std::string eventRowText(const EventItem& item);

}  // namespace velt
