#include "updater/UpdaterView.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <utility>
#include <vector>

#include "base/log.h"
#include "toolkit/UiServices.h"
#include "toolkit/layout/updater_layout.h"
#include "toolkit/main_loop.h"
#include "toolkit/place_control.h"
#include "updater/updater_images.h"

namespace velt {
namespace {

constexpr const char* kAlertTitle = "VELTPLUS Firmware Updates";

bool isOkId(int32_t id) {
  for (int32_t ok : {1, 5, 9, 14, 21, 28, 39})
    if (id == ok) return true;
  return false;
}

bool isCancelId(int32_t id) {
  for (int32_t cancel : {2, 6, 11, 15, 18, 22, 25, 29, 32, 41})
    if (id == cancel) return true;
  return false;
}

// The flow's one-line problem ("the firmware file fw.bin is empty") as the sentence
// a dialog shows.
std::string asSentence(std::string text) {
  if (text.empty()) return text;
  if (text.front() >= 'a' && text.front() <= 'z')
    text.front() = static_cast<char>(text.front() - 32);
  if (text.back() != '.') text += '.';
  return text;
}

// Where a piece of wording starts, for reading the wording top to bottom.
double topOf(const Rect& rect) {
  return rect.y + rect.height;
}

}  // namespace

UpdaterView::UpdaterView(std::string packageFolder, std::function<void()> quit)
    : m_quit(std::move(quit)),
      m_pFlow(std::make_unique<UpdateFlow>(std::move(packageFolder), *this)) {}

UpdaterView::~UpdaterView() {
  // The worker ends first (it may be waiting on the flow's stop flag); reports it posted
  // that are still queued find the view gone.
  m_pFlow->requestStop();
  m_pFlow->join();
  *m_pAlive = false;
}

void UpdaterView::showSearching() {
  buildDialog(0);
}

void UpdaterView::startUpdateProcessing() {
  m_pFlow->startSearch();
}

void UpdaterView::InitDlg1_FileIncorrect() {
  buildDialog(1);
}
void UpdaterView::InitDlg2_NotFindDevice() {
  buildDialog(2);
}
void UpdaterView::InitDlg3_FWUpToDate() {
  buildDialog(3);
}
void UpdaterView::InitDlg4_FWNewer() {
  buildDialog(4);
}
void UpdaterView::InitDlg5_UpdateToFWVersion() {
  buildDialog(5);
}
void UpdaterView::InitDlg6_EncounterProblem() {
  buildDialog(6);
  m_DlgType = 0;
}
void UpdaterView::InitDlg7_UpdateRoot() {
  buildDialog(7);
  m_DlgType = 7;
}
void UpdaterView::InitDlg9_UpdateSuccess() {
  buildDialog(9);
}
void UpdaterView::InitDlg10_UpdateFirmware() {
  buildDialog(10);
}

void UpdaterView::hideControl() {
  for (KivImageView* control :
       {static_cast<KivImageView*>(m_BnOK.get()), static_cast<KivImageView*>(m_BnClose.get()),
        static_cast<KivImageView*>(m_BnCancel.get()),
        static_cast<KivImageView*>(m_ProgressUpdate.get()),
        static_cast<KivImageView*>(m_StaticMVersion.get()),
        static_cast<KivImageView*>(m_StaticFVersion.get()),
        static_cast<KivImageView*>(m_StaticProblem.get()),
        static_cast<KivImageView*>(m_StaticFolder.get())}) {
    if (control) control->setHidden(true);
  }
}

std::unique_ptr<KivButton> UpdaterView::makeButton(int32_t id, const Rect& rect, const char* name) {
  auto button = std::make_unique<KivButton>();
  placeWithPictures(*this, *button, {id, rect, name}, updaterImage, DisabledPicture::kNormal);
  return button;
}

std::unique_ptr<KivStatic> UpdaterView::makeLabel(int32_t id, const Rect& rect,
                                                  const std::string& text, const char* name) {
  auto label = std::make_unique<KivStatic>();
  label->setAccessibleName(name);
  label->initView(this, id, rect);
  label->setBkImage(updaterImage(0, id, rect));
  label->addText(text);
  label->setTextItem(0);
  addSubview(label.get());
  return label;
}

std::unique_ptr<UpdaterTextBlock> UpdaterView::makeTextBlock(int32_t id, const Rect& rect,
                                                             const std::string& text,
                                                             const char* name) {
  auto block = std::make_unique<UpdaterTextBlock>();
  block->setAccessibleName(name);
  block->initView(this, id, rect);
  block->setText(text);
  addSubview(block.get());
  return block;
}

// Each dialog creates its controls anew; those of the dialog before go away with it.
void UpdaterView::buildDialog(int32_t number) {
  const UpdaterDialogLayout* layout = updaterDialog(number);
  if (!layout) return;
  // Dialogs 4 and 5 follow no dialog of their own.
  if (number != 4 && number != 5) hideControl();
  m_BnOK.reset();
  m_BnCancel.reset();
  m_BnClose.reset();
  m_StaticSWVersion.reset();
  m_StaticMVersion.reset();
  m_StaticFVersion.reset();
  m_ProgressUpdate.reset();
  m_StaticProblem.reset();
  m_StaticFolder.reset();
  setBkImage(updaterImage(0, layout->backgroundId, bounds()));
  for (const UpdaterControl& control : layout->controls) {
    switch (control.kind) {
      case UpdaterControlKind::kOk:
        m_BnOK = makeButton(control.id, control.rect, "OK");
        break;
      case UpdaterControlKind::kCancel:
        m_BnCancel = makeButton(control.id, control.rect, "Cancel");
        break;
      case UpdaterControlKind::kClose:
        m_BnClose = makeButton(control.id, control.rect, "Close");
        break;
      case UpdaterControlKind::kSoftwareVersion:
        m_StaticSWVersion =
            makeLabel(control.id, control.rect, kUpdaterSoftwareVersion, "Software version");
        break;
      case UpdaterControlKind::kMouseVersion:
        m_StaticMVersion =
            makeLabel(control.id, control.rect, m_strMVersion, "Mouse firmware version");
        break;
      case UpdaterControlKind::kPackageVersion:
        m_StaticFVersion =
            makeLabel(control.id, control.rect, m_strFVersion, "Package firmware version");
        break;
      case UpdaterControlKind::kProgress:
        m_ProgressUpdate = std::make_unique<KivProgressCtrl>();
        m_ProgressUpdate->initView(this, control.id, control.rect);
        m_ProgressUpdate->setImages(updaterImage(0, control.id, control.rect),
                                    updaterImage(1, control.id, control.rect));
        m_ProgressUpdate->setMinMaxValue(0, 100);
        m_ProgressUpdate->setCurValue(m_nProgressPos);
        m_ProgressUpdate->setAccessibleName("Progress");
        addSubview(m_ProgressUpdate.get());
        break;
      case UpdaterControlKind::kProblem:
        m_StaticProblem = makeTextBlock(control.id, control.rect, m_strProblem, "Problem");
        break;
      case UpdaterControlKind::kPackageFolder:
        m_StaticFolder =
            makeTextBlock(control.id, control.rect, m_strPackageFolder, "Package folder");
        break;
    }
  }
  m_nDialog = number;
  // Screen readers read the dialog's wording as the description of the window's view.
  setAccessibleDescription(accessibleValue());
  if (m_pWindow) m_pWindow->setAccessibleDescription(accessibleValue());
  setNeedsDisplay();
  accessibilityChanged();
}

std::string UpdaterView::accessibleValue() const {
  const UpdaterDialogLayout* layout = updaterDialog(m_nDialog);
  if (!layout) return {};
  // The wording top to bottom: the sheet's lines and the run-time texts between them.
  // A right-aligned line leads up to a version label: the mouse's first, then the
  // package's; a screen reader reads the number where the picture shows it.
  std::vector<std::pair<double, std::string>> pieces;
  const std::string versions[] = {m_strMVersion, m_strFVersion};
  size_t nextVersion = 0;
  for (const UpdaterLine& line : layout->lines) {
    std::string text = line.text;
    if (line.alignRight && nextVersion < std::size(versions)) text += " " + versions[nextVersion++];
    pieces.emplace_back(topOf(line.rect), std::move(text));
  }
  for (const UpdaterTextBlock* block : {m_StaticFolder.get(), m_StaticProblem.get()}) {
    if (block && !block->text().empty()) pieces.emplace_back(topOf(block->frame()), block->text());
  }
  std::stable_sort(pieces.begin(), pieces.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::string wording = layout->title;
  for (const auto& piece : pieces) wording += " " + piece.second;
  return wording;
}

void UpdaterView::OnCmd(int32_t id) {
  if (isOkId(id)) {
    clickOK();
  } else if (isCancelId(id)) {
    clickCancel();
  }
}

void UpdaterView::clickOK() {
  if (m_DlgType == 4 || m_DlgType == 5) {
    m_DlgType = 0;
    InitDlg10_UpdateFirmware();
    m_pFlow->startUpdateFWThread();
    return;
  }
  quitProgram();
}

void UpdaterView::clickCancel() {
  quitProgram();
}

void UpdaterView::clickClose() {
  quitProgram();
}

// The worker is told to stop; the program ends at once and the view's destruction
// waits for the worker's current block or pause.
void UpdaterView::quitProgram() {
  m_pFlow->requestStop();
  if (m_quit) m_quit();
}

void UpdaterView::mouseMoved(const MouseEvent& event) {
  if (!m_pWindow) return;
  if (event.location.y > 0) {
    m_pWindow->setMovableByWindowBackground(true);
  } else if (m_pWindow->isMovableByWindowBackground()) {
    m_pWindow->setMovableByWindowBackground(false);
  }
}

void UpdaterView::applyStep(const UpdateStep& step) {
  m_strMVersion = step.mouseVersion;
  m_strFVersion = step.packageVersion;
  m_strProblem = asSentence(step.problem);
  m_strPackageFolder = step.packageFolder;
  switch (step.dialog) {
    case UpdateDialog::kFileIncorrect:
      InitDlg1_FileIncorrect();
      break;
    case UpdateDialog::kNotFindDevice:
      InitDlg2_NotFindDevice();
      break;
    case UpdateDialog::kUpToDate:
      InitDlg3_FWUpToDate();
      break;
    case UpdateDialog::kFirmwareNewer:
      m_DlgType = 4;
      InitDlg4_FWNewer();
      break;
    case UpdateDialog::kUpdateOffered:
      m_DlgType = 5;
      InitDlg5_UpdateToFWVersion();
      break;
    case UpdateDialog::kEncounterProblem:
      if (!step.problem.empty()) logLine(step.problem);
      InitDlg6_EncounterProblem();
      break;
    case UpdateDialog::kUpdateCompleted:
      InitDlg7_UpdateRoot();
      break;
    case UpdateDialog::kUpdateSuccess:
      InitDlg9_UpdateSuccess();
      break;
    case UpdateDialog::kUpdating:
      InitDlg10_UpdateFirmware();
      break;
  }
}

void UpdaterView::showDialog(const UpdateStep& step) {
  postToMainThread([alive = m_pAlive, this, step] {
    if (*alive) applyStep(step);
  });
}

void UpdaterView::showProgress(int32_t value) {
  postToMainThread([alive = m_pAlive, this, value] {
    if (!*alive) return;
    m_nProgressPos = value;
    if (m_ProgressUpdate) m_ProgressUpdate->setCurValue(value);
  });
}

void UpdaterView::alertBootloaderSearch() {
  auto dismissed = std::make_shared<std::promise<void>>();
  std::future<void> done = dismissed->get_future();
  postToMainThread([alive = m_pAlive, dismissed] {
    if (*alive) uiServices().alert(kAlertTitle, kBootloaderSearchMessage);
    dismissed->set_value();
  });
  // A quit ends the wait too; an alert never shown (the program ended) breaks the promise.
  while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready &&
         !m_pFlow->stopRequested()) {
  }
}

}  // namespace velt
