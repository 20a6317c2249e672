#pragma once

#include "config_app/mouse/VeltMouse.h"
#include "config_app/pages/ProfilePage.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivProgressCtrl.h"
#include "toolkit/KivSliderCtrl.h"
#include "toolkit/KivSliderCtrl3D.h"
#include "toolkit/KivStatic.h"

namespace velt {

// The sensor page: three DPI levels per axis (linked unless the axes are separated), the
// refined mode, pointer speed and lift-off distance. Its lift-off test, lift-off save
// and surface analysis act on the mouse at once, outside the apply.
class SensorView : public ProfilePage {
 public:
  static constexpr int32_t kMinDpi = 200;
  static constexpr int32_t kMaxDpi = 8200;

  // The mouse the lift-off test and save and the surface analysis go to.
  void setMouse(VeltMouse& mouse) { m_mouse = &mouse; }
  void initCtrls();
  void setUIData(Profile& profile) override;
  void getUIData(Profile& profile) override;
  void OnCmd(int32_t id) override;
  // A DPI slider's change: with the axes linked, the other slider takes its values.
  void subMsg(int32_t id, int32_t value) override;

  void enableXYSetting();
  void liftTest();
  void liftSave();
  void analyzeSurface();

  KivCheckBox& separateXYCheck() { return m_CheckEnableXYSeparateSetting; }
  KivSliderCtrl3D& xSlider() { return m_SliderXAxis; }
  KivSliderCtrl3D& ySlider() { return m_SliderYAxis; }
  KivSliderCtrl& pointerSpeedSlider() { return m_SliderPointSpeed; }
  KivSliderCtrl& liftDistanceSlider() { return m_SliderLiftDistance; }
  const KivProgressCtrl& qualityBar() const { return m_ProgressQualityAnalyzer; }
  const KivStatic& surfacePicture() const { return m_StaticSurface; }
  KivButton& analyzeButton() { return m_BnAnalyzeSurface; }
  KivButton& liftTestButton() { return m_BnLiftTest; }
  KivButton& liftSaveButton() { return m_BnLiftSave; }

 private:
  void initSliders();
  void initSurface();
  void showQuality(int32_t level);

  VeltMouse* m_mouse = &deviceMouse();
  KivCheckBox m_CheckEnableXYSeparateSetting;
  KivCheckBox m_CheckEnableRefinedmode;
  KivSliderCtrl3D m_SliderXAxis;
  KivSliderCtrl3D m_SliderYAxis;
  KivSliderCtrl m_SliderPointSpeed;
  KivSliderCtrl m_SliderLiftDistance;
  KivProgressCtrl m_ProgressQualityAnalyzer;
  KivButton m_BnAnalyzeSurface;
  KivButton m_BnLiftTest;
  KivButton m_BnLiftSave;
  KivStatic m_StaticSurface;
};

}  // namespace velt
