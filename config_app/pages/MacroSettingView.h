#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config_app/pages/KivMacroCtrl.h"
#include "model/MacroLibrary.h"
#include "toolkit/BoxItem.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivImageView.h"
#include "toolkit/KivListBox.h"

namespace velt {

class MacroData;

// What the first recording says where the desktop keeps its shortcuts.
inline constexpr const char* kShortcutsNotKeptText =
    "This desktop does not let VELTPLUS take its system shortcuts: keys such as Super or "
    "Ctrl+Alt+L may act on the desktop while recording, and are then not recorded.";

// The macro page: the library's name list, the current macro's events, and the recorder
// that turns the keys pressed while it records into events. The event list owns the
// library: it is read when the page is made and written only by an apply (saveMacros).
class MacroSettingView : public KivImageView {
 public:
  void initCtrls();
  // Reads the library from the user's macro folder and lists it. Returns what the user
  // must be told about it (a list set aside, a macro file that cannot be read).
  std::vector<std::string> readLocalData();
  // Writes the library; false when a file could not be written.
  bool saveMacros();
  // A profile's macro joins the library and the list unless one with its ID is there.
  void addMacro(const MacroData& data);
  // A fresh copy of the library macro with the ID, or none.
  std::optional<MacroData> macroData(int64_t id) const;
  // The listed macros: name and ID of each, in library order.
  std::vector<BoxItem> boxItems() const;
  MacroLibrary& library() { return m_MacroCtrl.library(); }
  // Runs after a macro was deleted, so that buttons bound to it fall back.
  void setOnMacroDeleted(std::function<void()> action) { m_onMacroDeleted = std::move(action); }

  void OnCmd(int32_t id) override;
  void subMsg(int32_t id, int32_t value) override;
  void keyDown(const KeyEvent& event) override;
  void keyUp(const KeyEvent& event) override;
  void flagsChanged(const KeyEvent& event) override;
  bool acceptsFirstResponder() const override { return true; }

  // A recording goes on while the page is hidden, but the keyboard is grabbed only
  // while the page is shown: a hidden program must not keep the desktop's keys. Where
  // the desktop cannot be asked for its shortcuts (a Wayland compositor without the
  // shortcuts-inhibit protocol), the first recording says so once (kShortcutsNotKeptText).
  void pageShown();
  void pageHidden();

  void newMacro();
  void deleteMacro();
  void recordStart();
  void stopRecord();
  // One recorded key event: state 0 press, 1 release.
  void keyMessage(int32_t code, int32_t state);

  KivListBox& nameList() { return m_ListBox; }
  KivMacroCtrl& eventList() { return m_MacroCtrl; }
  KivButton& newButton() { return m_BnNewMacro; }
  KivButton& deleteButton() { return m_BnDeleteMacro; }
  KivCheckBox& delayBox() { return m_CheckRecordDelay; }
  KivCheckBox& holdBox() { return m_CheckHoldRecord; }
  KivButton& startButton() { return m_BnStartRecord; }
  KivButton& stopButton() { return m_BnStopRecord; }
  bool isRecording() const { return m_MacroCtrl.isRecord(); }

 private:
  void alertRecording();
  void selectMacro(int32_t id);
  void stopAtLimit();
  void takeKeyboard();

  KivListBox m_ListBox;
  KivMacroCtrl m_MacroCtrl;
  KivButton m_BnNewMacro;
  KivButton m_BnDeleteMacro;
  KivCheckBox m_CheckRecordDelay;
  KivCheckBox m_CheckHoldRecord;
  KivButton m_BnStartRecord;
  KivButton m_BnStopRecord;
  // Tick count (1/60 s) of the last key event recorded, or of the start of recording.
  int32_t m_nLastRecordTime = 0;
  // The key last pressed and not yet released; -1 after a release.
  int32_t m_nHeldKey = -1;
  bool m_bKeyboardGrabbed = false;
  bool m_bShortcutsNoticeGiven = false;
  std::function<void()> m_onMacroDeleted;
};

}  // namespace velt
