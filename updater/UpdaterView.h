#pragma once

#include <functional>
#include <memory>
#include <string>

#include "toolkit/KivButton.h"
#include "toolkit/KivImageView.h"
#include "toolkit/KivProgressCtrl.h"
#include "toolkit/KivStatic.h"
#include "toolkit/KivWindow.h"
#include "updater/UpdaterTextBlock.h"
#include "updater/update_flow.h"

namespace velt {

// The updater's view: one of the dialogs at a time, each a background sheet with its
// buttons, version labels or progress bar laid over it. It runs the update flow on its
// worker thread and shows what the flow reports; every report is handed to the UI
// thread, and nothing is handed to a view that is gone.
class UpdaterView : public KivImageView, public UpdateFrontEnd {
 public:
  // `quit` ends the program with status 0.
  UpdaterView(std::string packageFolder, std::function<void()> quit);
  ~UpdaterView() override;

  // The window the view drags (see mouseMoved).
  void setWindow(KivWindow* window) { m_pWindow = window; }
  // The picture shown while the mouse is searched, before the first dialog.
  void showSearching();
  // Reads the package and searches the mouse on the worker thread; the window stays
  // responsive meanwhile.
  void startUpdateProcessing();

  void InitDlg1_FileIncorrect();
  void InitDlg2_NotFindDevice();
  void InitDlg3_FWUpToDate();
  void InitDlg4_FWNewer();
  void InitDlg5_UpdateToFWVersion();
  void InitDlg6_EncounterProblem();
  void InitDlg7_UpdateRoot();
  void InitDlg9_UpdateSuccess();
  void InitDlg10_UpdateFirmware();
  void hideControl();

  void clickOK();
  void clickCancel();
  void clickClose();

  void OnCmd(int32_t id) override;
  // Over the view the window can be dragged by its background.
  void mouseMoved(const MouseEvent& event) override;

  // The window's accessible name, and the dialog's wording as its value.
  std::string accessibleName() const override { return "VELTUpdate"; }
  std::string accessibleValue() const override;

  // UpdateFrontEnd: called on the worker thread.
  void showDialog(const UpdateStep& step) override;
  void showProgress(int32_t value) override;
  void alertBootloaderSearch() override;

  int32_t dialogShown() const { return m_nDialog; }
  int32_t dlgType() const { return m_DlgType; }
  KivButton* okButton() const { return m_BnOK.get(); }
  KivButton* cancelButton() const { return m_BnCancel.get(); }
  KivButton* closeButton() const { return m_BnClose.get(); }
  KivStatic* softwareVersionLabel() const { return m_StaticSWVersion.get(); }
  KivStatic* mouseVersionLabel() const { return m_StaticMVersion.get(); }
  KivStatic* packageVersionLabel() const { return m_StaticFVersion.get(); }
  KivProgressCtrl* progressBar() const { return m_ProgressUpdate.get(); }
  UpdaterTextBlock* problemText() const { return m_StaticProblem.get(); }
  UpdaterTextBlock* folderText() const { return m_StaticFolder.get(); }

 private:
  void buildDialog(int32_t number);
  void applyStep(const UpdateStep& step);
  void quitProgram();
  std::unique_ptr<KivButton> makeButton(int32_t id, const Rect& rect, const char* name);
  std::unique_ptr<KivStatic> makeLabel(int32_t id, const Rect& rect, const std::string& text,
                                       const char* name);
  std::unique_ptr<UpdaterTextBlock> makeTextBlock(int32_t id, const Rect& rect,
                                                  const std::string& text, const char* name);

  std::unique_ptr<KivButton> m_BnOK;
  std::unique_ptr<KivButton> m_BnCancel;
  std::unique_ptr<KivButton> m_BnClose;
  std::unique_ptr<KivStatic> m_StaticSWVersion;
  std::unique_ptr<KivStatic> m_StaticMVersion;
  std::unique_ptr<KivStatic> m_StaticFVersion;
  std::unique_ptr<KivProgressCtrl> m_ProgressUpdate;
  std::unique_ptr<UpdaterTextBlock> m_StaticProblem;
  std::unique_ptr<UpdaterTextBlock> m_StaticFolder;
  std::string m_strMVersion;
  std::string m_strFVersion;
  // What the flow said went wrong, as a sentence, and the package folder.
  std::string m_strProblem;
  std::string m_strPackageFolder;
  int32_t m_DlgType = 0;
  int32_t m_nProgressPos = 0;
  int32_t m_nDialog = 0;
  KivWindow* m_pWindow = nullptr;
  std::function<void()> m_quit;
  // Read and cleared on the UI thread only: whether reports posted from the worker may
  // still touch the view.
  std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);
  std::unique_ptr<UpdateFlow> m_pFlow;
};

}  // namespace velt
