#include "config_app/dialogs/PopView.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>

#include "base/log.h"
#include "device/keycodes.h"
#include "model/KeyButton.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/main_loop.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

std::vector<PopView*>& running() {
  static std::vector<PopView*> dialogs;
  return dialogs;
}

bool isOneOf(int32_t id, std::initializer_list<int32_t> ids) {
  return id != 0 && std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The number a countdown text starts with; 0 when it starts with none.
int leadingNumber(const std::string& text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

const std::vector<PopView*>& PopView::runningDialogs() {
  return running();
}

PopView::~PopView() {
  m_countdown.stop();
  std::erase(running(), this);
}

void PopView::initPopView(KivImageView* parent, int32_t type) {
  m_nPopType = type;
  const DialogLayout* layout = dialogLayout(type);
  Image background = GetImage(0, type, {});
  Size size = background ? background.size() : kDialogSize;
  initView(parent, type, {0, 0, size.width, size.height});
  setBkImage(background);
  m_Window = std::make_unique<KivWindow>(windowFrame());
  m_Window->setContentView(this);
  m_Window->setMovableByWindowBackground(true);
  if (!layout) return;
  m_Window->setTitle(layout->headline);
  m_Window->setAccessibleName(layout->headline);
  m_Window->setAccessibleDescription(layout->wording);
  setAccessibleName(layout->headline);
  setAccessibleDescription(layout->wording);
  buildControls(*layout);
}

// Over the middle of the parent's window, or of the screen.
Rect PopView::windowFrame() const {
  Rect screen = KivWindow::screenFrame();
  Point middle = {screen.x + screen.width / 2, screen.y + screen.height / 2};
  if (m_pParent && m_pParent->host())
    middle =
        m_pParent->convertToScreen({m_pParent->bounds().width / 2, m_pParent->bounds().height / 2});
  Size size = bounds().size();
  return {std::round(middle.x - size.width / 2), std::round(middle.y - size.height / 2), size.width,
          size.height};
}

void PopView::buildControls(const DialogLayout& layout) {
  const DisabledPicture disabled =
      layout.hasDisableSheet ? DisabledPicture::kOwn : DisabledPicture::kNone;
  if (layout.okId)
    placeWithPictures(*this, m_BnOK, {layout.okId, dialogOKRect(layout), "OK"}, GetImage, disabled);
  if (layout.cancelId)
    placeWithPictures(*this, m_BnCancel, {layout.cancelId, kDialogCancel, "Cancel"}, GetImage,
                      disabled);
  if (layout.closeId)
    placeWithPictures(*this, m_BnClose, {layout.closeId, kDialogClose, "Close"}, GetImage,
                      disabled);
  switch (m_nPopType) {
    case kRenameDialog:
      m_EditRename.initView(this, 0, kRenameField);
      m_EditRename.setFont(systemFont(13));
      m_EditRename.setAccessibleName("Profile name");
      m_EditRename.setOnReturn([this] { clickOK(); });
      addSubview(&m_EditRename);
      break;
    case kAssignKeyDialog:
      m_StaticString.initView(this, kAssignKeyNameId, kAssignKeyName.insetBy(8, 4));
      m_StaticString.setFont(systemFont(10));
      m_StaticString.setAccessibleName("Key");
      addSubview(&m_StaticString);
      break;
    case kAnalysisRunDialog:
      m_BnOK.setEnable(false);
      m_StaticString.initView(this, kAnalysisCountdownId, kAnalysisCountdown.insetBy(20, 12));
      m_StaticString.setFont(systemFont(18));
      m_StaticString.setCurText(std::to_string(SurfaceCountdown::kSteps));
      m_StaticString.setAccessibleName("Seconds left");
      addSubview(&m_StaticString);
      m_StaticImage.initView(this, kAnalysisAnimationId, kAnalysisAnimation);
      for (const char* frame : kAnalysisFrames) m_StaticImage.addImage(GetNamedImage(frame));
      m_StaticImage.setImageItem(0);
      m_StaticImage.setAccessibleName("Analysis running");
      addSubview(&m_StaticImage);
      break;
    default:
      break;
  }
}

int PopView::runModal() {
  if (!m_Window) return kCancelled;
  switch (m_nPopType) {
    case kAssignKeyDialog:
      if (m_CbnButton) {
        m_StaticString.setCurText(m_CbnButton->caption());
        m_CbnButton->setDone(false);
      }
      break;
    case kAnalysisRunDialog:
      // A step still queued when the run ends belongs to nobody.
      m_countdown.start([life = life(), this] {
        if (life && m_running) updateImageList();
      });
      break;
    default:
      break;
  }
  m_modalCode = 0;
  m_answered = false;
  m_running = true;
  running().push_back(this);
  m_Window->setModal(true);
  m_Window->makeKeyAndOrderFront();
  if (m_nPopType == kRenameDialog)
    m_EditRename.becomeFirstResponder();
  else
    becomeFirstResponder();
  runModalLoop();
  std::erase(running(), this);
  m_running = false;
  m_countdown.stop();
  m_Window->orderOut();
  // A loop ended from outside (the program quitting) counts as cancelled.
  return m_modalCode == kConfirmed || m_modalCode == kFailed ? m_modalCode : kCancelled;
}

void PopView::endRun(int code) {
  m_modalCode = code;
  if (m_Window) m_Window->orderOut();
  if (m_running) stopModalLoop(code);
}

// The first answer is the dialog's answer. A person's Cancel and the countdown's last
// step can land in the same moment: whichever comes second is dropped, so a cancelled
// analysis never goes on to its next step.
void PopView::clickOK() {
  if (m_answered) return;
  m_answered = true;  // before confirm, which may run the next step's loop
  endRun(confirm());
}

void PopView::clickCancel() {
  if (m_answered) return;
  m_answered = true;
  endRun(kCancelled);
}

bool PopView::runNextStep(int32_t type) {
  if (m_Window) m_Window->orderOut();
  PopView next;
  next.initPopView(m_pParent, type);
  return next.runModal() == kConfirmed;
}

int PopView::confirm() {
  switch (m_nPopType) {
    case kAssignKeyDialog:
      // Confirming before any key was pressed assigns nothing.
      if (m_CbnButton && m_capturedKey) {
        m_CbnButton->setDone(false);
        m_CbnButton->setButtonFunction(std::string(keyName(*m_capturedKey)), kSingleKeyFunction,
                                       *m_capturedKey);
      }
      return kConfirmed;
    case kAnalysisStartDialog:
      // A countdown with nothing analysing would end in a level never measured.
      if (!m_mouse->open() || !m_mouse->startSurfaceAnalysis()) return kFailed;
      if (runNextStep(kAnalysisRunDialog)) return kConfirmed;
      SurfaceCountdown::stopFlag() = true;
      return kCancelled;
    case kAnalysisRunDialog:
      return runNextStep(kAnalysisDoneDialog) ? kConfirmed : kCancelled;
    default:
      return kConfirmed;
  }
}

void PopView::OnCmd(int32_t id) {
  const DialogLayout* layout = dialogLayout(m_nPopType);
  if (!layout) return;
  if (id == layout->okId)
    clickOK();
  else if (isOneOf(id, {layout->cancelId, layout->closeId}))
    clickCancel();
}

void PopView::captureKey(uint16_t code) {
  if (m_nPopType != kAssignKeyDialog) return;
  m_StaticString.setCurText(std::string(keyName(code)));
  m_capturedKey = code;
  logf("key:%x", code);
}

void PopView::keyDown(const KeyEvent& event) {
  captureKey(event.keyCode);
}

void PopView::flagsChanged(const KeyEvent& event) {
  captureKey(event.keyCode);
}

void PopView::updateImageList() {
  if (m_nPopType != kAnalysisRunDialog || m_answered) return;
  int n = leadingNumber(m_StaticString.getCurText().value_or(""));
  if (n < 1) return;
  m_StaticString.setCurText(std::to_string(n - 1));
  // The animation's frames in turn, one a second: with `n` left, kSeconds - n have gone.
  const int gone = SurfaceCountdown::kSeconds - n;
  m_StaticImage.setImageItem(gone % static_cast<int>(kAnalysisFrames.size()));
  if (n == 1) {
    m_BnOK.setEnable(true);
    clickOK();
  }
}

}  // namespace velt
