#include "config_app/pages/MacroSettingView.h"

#include <string>
#include <utility>

#include "base/clock.h"
#include "base/log.h"
#include "config_app/dialogs/PopView.h"
#include "model/MacroData.h"
#include "model/folders.h"
#include "model/limits.h"
#include "toolkit/UiServices.h"
#include "toolkit/image_access.h"
#include "toolkit/keyboard_grab.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/layout/macro_setting_layout.h"
#include "toolkit/layout/slider_scroll_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

enum Command {
  kNewMacro = 102,
  kDeleteMacro = 103,
  kRecordDelay = 104,
  kHoldRecord = 105,
  kStartRecord = 106,
  kStopRecord = 107
};

template <typename List>
void setScrollPictures(List& list) {
  list.setScrollImage(
      GetImage(0, kScrollTrackId, {}), GetImage(0, kScrollThumbId, kScrollThumbPiece),
      GetImage(1, kScrollThumbId, kScrollThumbPiece), GetImage(0, kScrollLastId, kScrollLastPiece),
      GetImage(1, kScrollLastId, kScrollLastPiece), GetImage(0, kScrollNextId, kScrollNextPiece),
      GetImage(1, kScrollNextId, kScrollNextPiece));
}

}  // namespace

void MacroSettingView::initCtrls() {
  placeControl(*this, m_ListBox, kMacroList);
  m_ListBox.setBkImage(GetImage(0, kMacroList.id, kMacroList.piece));
  setScrollPictures(m_ListBox);
  placeControl(*this, m_MacroCtrl, kMacroEvents);
  m_MacroCtrl.setBkImage(GetImage(0, kMacroEvents.id, kMacroEvents.piece));
  m_MacroCtrl.initMenu();
  setScrollPictures(m_MacroCtrl);
  const std::pair<KivButton*, ControlLayout> buttons[] = {{&m_BnNewMacro, kNewMacroButton},
                                                          {&m_BnDeleteMacro, kDeleteMacroButton},
                                                          {&m_BnStartRecord, kStartRecordingButton},
                                                          {&m_BnStopRecord, kStopRecordingButton}};
  for (const auto& [button, layout] : buttons) {
    placeWithPictures(*this, *button, layout, GetImage);
  }
  placeWithPictures(*this, m_CheckRecordDelay, kRecordDelaysBox, GetImage);
  placeWithPictures(*this, m_CheckHoldRecord, kRecordPressesBox, GetImage);
  m_BnStopRecord.setHidden(true);
}

std::vector<std::string> MacroSettingView::readLocalData() {
  if (!m_MacroCtrl.setMacroPath(macroFolder())) {
    logLine("cannot create the macro folder " + macroFolder());
    return {};
  }
  m_MacroCtrl.readMacroItems();
  for (const auto& macro : m_MacroCtrl.macros()) m_ListBox.addItem(macro->strName(), macro->nID());
  return m_MacroCtrl.library().readNotices();
}

bool MacroSettingView::saveMacros() {
  return m_MacroCtrl.saveMacroItems();
}

void MacroSettingView::addMacro(const MacroData& data) {
  if (Macro* added = m_MacroCtrl.newMacro(data)) m_ListBox.addItem(added->strName(), added->nID());
}

std::optional<MacroData> MacroSettingView::macroData(int64_t id) const {
  return m_MacroCtrl.getMacroData(static_cast<int32_t>(id));
}

std::vector<BoxItem> MacroSettingView::boxItems() const {
  return m_ListBox.boxItems();
}

void MacroSettingView::OnCmd(int32_t id) {
  logf("button %d click", id);
  switch (id) {
    case kNewMacro:
      newMacro();
      break;
    case kDeleteMacro:
      deleteMacro();
      break;
    case kRecordDelay:
    case kHoldRecord: {
      KivCheckBox& clicked = id == kRecordDelay ? m_CheckRecordDelay : m_CheckHoldRecord;
      // A check box toggles even while disabled; while a recording runs it stays as it was.
      if (!clicked.isEnabled()) {
        clicked.check(!clicked.isCheck());
        break;
      }
      (id == kRecordDelay ? m_CheckHoldRecord : m_CheckRecordDelay).check(false);
      break;
    }
    case kStartRecord:
      recordStart();
      m_MacroCtrl.removeItems();
      m_CheckRecordDelay.enable(false);
      m_CheckHoldRecord.enable(false);
      break;
    case kStopRecord:
      stopRecord();
      break;
    default:
      break;
  }
}

void MacroSettingView::alertRecording() {
  uiServices().alert("VELTPLUS", "Please stop recording");
}

void MacroSettingView::newMacro() {
  if (isRecording()) return alertRecording();
  m_ListBox.addItem();
  if (KivEdit* field = m_ListBox.textField()) field->setAccessibleName("New macro name");
}

void MacroSettingView::deleteMacro() {
  if (isRecording()) return alertRecording();
  PopView confirm;
  confirm.initPopView(this, kDeleteMacroDialog);
  if (confirm.runModal() != PopView::kConfirmed) return;
  m_ListBox.deleteCurItem();
  if (m_onMacroDeleted) m_onMacroDeleted();
}

void MacroSettingView::subMsg(int32_t id, int32_t value) {
  switch (id) {
    case KivListBox::kListSelChanged:
      selectMacro(value);
      break;
    case KivListBox::kListItemDeleting:
      m_MacroCtrl.deleteItem(value);
      break;
    case KivMacroCtrl::kMsgRecordAt:
      recordStart();
      break;
    default:
      break;
  }
}

void MacroSettingView::selectMacro(int32_t id) {
  BoxItem* selected = m_ListBox.getSelItem();
  if (!selected) return;
  m_MacroCtrl.setCurMacro(id, selected->m_strText);
  if (m_MacroCtrl.isHoldMacro()) {
    m_CheckRecordDelay.check(false);
    m_CheckHoldRecord.check(true);
  } else {
    m_CheckHoldRecord.check(false);
  }
}

void MacroSettingView::recordStart() {
  m_BnStartRecord.setHidden(true);
  m_BnStopRecord.setHidden(false);
  m_ListBox.editInput();
  m_MacroCtrl.setRecord(true);
  takeKeyboard();  // before the clock starts: it may say so in an alert
  m_nLastRecordTime = tickCount();
  m_nHeldKey = -1;
  becomeFirstResponder();
}

void MacroSettingView::stopRecord() {
  m_BnStartRecord.setHidden(false);
  m_BnStopRecord.setHidden(true);
  m_CheckRecordDelay.enable(true);
  m_CheckHoldRecord.enable(true);
  m_MacroCtrl.setRecord(false);
  pageHidden();
}

void MacroSettingView::pageShown() {
  becomeFirstResponder();
  if (isRecording()) takeKeyboard();
}

void MacroSettingView::takeKeyboard() {
  if (m_bKeyboardGrabbed) return;
  const KeyboardGrab grab = grabKeyboard(*this);
  m_bKeyboardGrabbed = grab == KeyboardGrab::Taken;
  if (grab != KeyboardGrab::ShortcutsNotOffered || m_bShortcutsNoticeGiven) return;
  m_bShortcutsNoticeGiven = true;
  uiServices().alert("VELTPLUS", kShortcutsNotKeptText);
}

void MacroSettingView::pageHidden() {
  if (m_bKeyboardGrabbed) releaseKeyboard(*this);
  m_bKeyboardGrabbed = false;
}

void MacroSettingView::keyDown(const KeyEvent& event) {
  // A held key repeats: only its first press counts.
  if (event.isRepeat || event.keyCode == m_nHeldKey) return;
  m_nHeldKey = event.keyCode;
  keyMessage(event.keyCode, 0);
}

void MacroSettingView::keyUp(const KeyEvent& event) {
  if (event.isRepeat) return;
  m_nHeldKey = -1;
  keyMessage(event.keyCode, 1);
}

// A modifier's own event carries its flag while the key is down.
void MacroSettingView::flagsChanged(const KeyEvent& event) {
  if (event.isRepeat) return;
  bool down = (event.modifierFlags & modifierFlagOfKey(event.keyCode)) != 0;
  keyMessage(event.keyCode, down ? 0 : 1);
}

void MacroSettingView::keyMessage(int32_t code, int32_t state) {
  if (!isRecording()) return;
  int32_t now = tickCount();
  int32_t delay = static_cast<int32_t>(static_cast<int64_t>(now - m_nLastRecordTime) * 1000 / 60);
  m_nLastRecordTime = now;
  if (!m_CheckRecordDelay.isCheck()) delay = 0;
  if (state == 1 && m_CheckHoldRecord.isCheck()) return;
  if (!m_MacroCtrl.addItem(1, static_cast<uint64_t>(code), static_cast<uint64_t>(state),
                           static_cast<uint64_t>(static_cast<uint32_t>(delay))))
    stopAtLimit();
}

void MacroSettingView::stopAtLimit() {
  OnCmd(kStopRecord);
  uiServices().alert("VELTPLUS", "This macro holds " + std::to_string(kMaxMacroEvents) +
                                     " events, the most a macro can keep. Recording stopped.");
}

}  // namespace velt
