#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "config_app/dialogs/SurfaceCountdown.h"
#include "config_app/mouse/VeltMouse.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivComboxButton.h"
#include "toolkit/KivEdit.h"
#include "toolkit/KivStatic.h"
#include "toolkit/KivWindow.h"
#include "toolkit/main_loop.h"

namespace velt {

struct DialogLayout;

// The application's modal dialog. The type chosen at creation selects its pictures,
// buttons and behaviour: 125 rename, 130 left-click warning, 133 delete macro, 137, 141
// and 147 the three steps of the surface analysis, 150 reset warning, 154 key capture.
// A dialog is made for one run: initPopView, optional presets, runModal.
class PopView : public KivImageView {
 public:
  // What runModal returns.
  static constexpr int kConfirmed = 1;
  static constexpr int kCancelled = 2;
  // The analysis could not start: no mouse, or it did not take the start command.
  static constexpr int kFailed = 3;

  PopView() = default;
  ~PopView() override;

  // The mouse the analysis' first step (137) starts; before runModal.
  void setMouse(VeltMouse& mouse) { m_mouse = &mouse; }
  void initPopView(KivImageView* parent, int32_t type);
  // The function menu a key capture (154) changes when it is confirmed.
  void setFunButton(KivComboxButton* button) { m_CbnButton = button; }
  // The rename field (125), for the caller to preset and read.
  KivEdit& textField() { return m_EditRename; }
  // Runs the dialog in a modal loop of its own; kConfirmed, kCancelled or, for the
  // analysis' first step, kFailed.
  int runModal();
  void clickOK();
  void clickCancel();

  void OnCmd(int32_t id) override;
  void keyDown(const KeyEvent& event) override;
  void flagsChanged(const KeyEvent& event) override;
  bool acceptsFirstResponder() const override { return true; }
  // One countdown step of the running analysis (141), on the UI thread; none once the
  // dialog is answered.
  void updateImageList();

  int32_t popType() const { return m_nPopType; }
  // Whether this run has its answer; its loop may still be winding down.
  bool answered() const { return m_answered; }
  std::optional<uint16_t> capturedKeyCode() const { return m_capturedKey; }
  KivWindow* window() const { return m_Window.get(); }
  KivButton& okButton() { return m_BnOK; }
  KivStatic& textStatic() { return m_StaticString; }
  KivStatic& imageStatic() { return m_StaticImage; }
  bool countdownRunning() const { return m_countdown.running(); }

  // The dialogs whose runs are under way, the innermost last.
  static const std::vector<PopView*>& runningDialogs();

 private:
  void buildControls(const DialogLayout& layout);
  Rect windowFrame() const;
  void captureKey(uint16_t code);
  // Does the type's confirm action; the code the run then ends with.
  int confirm();
  // Runs the next dialog of the analysis; true when it was confirmed.
  bool runNextStep(int32_t type);
  void endRun(int code);

  int32_t m_nPopType = 0;
  KivButton m_BnOK;
  KivButton m_BnCancel;
  KivButton m_BnClose;
  KivStatic m_StaticString;
  KivStatic m_StaticImage;
  KivEdit m_EditRename;
  KivComboxButton* m_CbnButton = nullptr;
  std::unique_ptr<KivWindow> m_Window;
  int m_modalCode = 0;
  // Answered by OK, Cancel, Close or the countdown's end; later answers are dropped.
  bool m_answered = false;
  bool m_running = false;
  std::optional<uint16_t> m_capturedKey;
  VeltMouse* m_mouse = &deviceMouse();
  SurfaceCountdown m_countdown{postToMainThread};
};

}  // namespace velt
