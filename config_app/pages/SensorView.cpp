#include "config_app/pages/SensorView.h"

#include <algorithm>
#include <string>

#include "config_app/dialogs/PopView.h"
#include "model/Profile.h"
#include "model/profile_apply.h"
#include "toolkit/UiServices.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/layout/sensor_layout.h"
#include "toolkit/layout/slider_scroll_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

void setDpiValues(KivSliderCtrl3D& slider, int32_t v1, int32_t v2, int32_t v3, bool post) {
  slider.setCurValue1(v1, post);
  slider.setCurValue2(v2, post);
  slider.setCurValue3(v3, post);
}

void copyDpiValues(const KivSliderCtrl3D& from, KivSliderCtrl3D& to) {
  setDpiValues(to, from.getCurValue1(), from.getCurValue2(), from.getCurValue3(), false);
}

}  // namespace

void SensorView::initCtrls() {
  for (auto [check, layout] : {std::pair{&m_CheckEnableXYSeparateSetting, kSensorSeparateXY},
                               std::pair{&m_CheckEnableRefinedmode, kSensorRefinedMode}}) {
    placeWithPictures(*this, *check, layout, GetImage);
  }
  initSliders();
  initSurface();
  for (auto [button, layout] :
       {std::pair{&m_BnAnalyzeSurface, kSensorAnalyze}, std::pair{&m_BnLiftTest, kSensorLiftTest},
        std::pair{&m_BnLiftSave, kSensorLiftSave}}) {
    placeWithPictures(*this, *button, layout, GetImage);
  }
}

void SensorView::initSliders() {
  for (auto [slider, layout] :
       {std::pair{&m_SliderXAxis, kSensorDpiX}, std::pair{&m_SliderYAxis, kSensorDpiY}}) {
    placeControl(*this, *slider, layout);
    slider->setImages(GetImage(0, layout.id, layout.frame), GetImage(0, kSlider1Id, {}),
                      GetImage(0, kSlider2Id, {}), GetImage(0, kSlider3Id, {}));
    slider->setMinMaxValue(kMinDpi, kMaxDpi, 200);
    setDpiValues(*slider, 2000, 4000, 6000, false);
  }
  const Image thumb = GetImage(0, kSliderThumbId, {});
  const Image disabled = GetImage(0, kSliderDisableId, {});
  for (auto [slider, layout, max] : {std::tuple{&m_SliderPointSpeed, kSensorPointerSpeed, 10},
                                     std::tuple{&m_SliderLiftDistance, kSensorLiftDistance, 32}}) {
    placeControl(*this, *slider, layout);
    slider->setImages(GetImage(0, layout.id, layout.frame), thumb, thumb, disabled);
    slider->setMinMaxValue(1, max, 1);
    slider->setCurValue(1, false);
  }
}

void SensorView::initSurface() {
  placeControl(*this, m_ProgressQualityAnalyzer, kSensorQualityBar);
  m_ProgressQualityAnalyzer.setImages(GetImage(0, kSensorQualityBar.id, kSensorQualityBar.frame),
                                      GetImage(2, kSensorQualityBar.id, kSensorQualityBar.frame));
  m_ProgressQualityAnalyzer.setVertical(true);
  m_ProgressQualityAnalyzer.setMinMaxValue(0, kSurfaceLevels - 1);
  m_ProgressQualityAnalyzer.setCurValue(0);
  placeControl(*this, m_StaticSurface, kSensorSurfacePicture);
  // Decoded when first shown: at start the sensor page is hidden.
  auto picture = [](int percent) {
    return Image::deferred(kSurfacePictureSize, [name = std::to_string(percent) + ".bmp"] {
      return GetNamedImage(name);
    });
  };
  for (int level = 0; level < kSurfaceLevels; ++level)
    m_StaticSurface.addImage(picture(level * 10));
  m_StaticSurface.setBkImage(picture(0));
  m_StaticSurface.setImageItem(0);
}

void SensorView::setUIData(Profile& profile) {
  m_CheckEnableXYSeparateSetting.check(profile.isEnableXPSeparate() != 0);
  m_CheckEnableRefinedmode.check(profile.isEnableRefinedmode() != 0);
  m_SliderPointSpeed.setCurValue(profile.pointerSpeed(), true);
  m_SliderLiftDistance.setCurValue(profile.liftDistance(), true);
  showQuality(profile.qualityAnalyzer());
  // With the axes linked, the Y values come last and both sliders end at them.
  setDpiValues(m_SliderXAxis, profile.DPIXaxis1(), profile.DPIXaxis2(), profile.DPIXaxis3(), true);
  setDpiValues(m_SliderYAxis, profile.DPIYaxis1(), profile.DPIYaxis2(), profile.DPIYaxis3(), true);
}

void SensorView::getUIData(Profile& profile) {
  profile.setIsEnableXPSeparate(m_CheckEnableXYSeparateSetting.isCheck() ? 1 : 0);
  profile.setIsEnableRefinedmode(m_CheckEnableRefinedmode.isCheck() ? 1 : 0);
  profile.setPointerSpeed(static_cast<uint8_t>(m_SliderPointSpeed.getCurValue()));
  profile.setLiftDistance(static_cast<uint8_t>(m_SliderLiftDistance.getCurValue()));
  profile.setQualityAnalyzer(static_cast<uint16_t>(m_ProgressQualityAnalyzer.getCurValue()));
  profile.setDPIXaxis1(static_cast<uint16_t>(m_SliderXAxis.getCurValue1()));
  profile.setDPIXaxis2(static_cast<uint16_t>(m_SliderXAxis.getCurValue2()));
  profile.setDPIXaxis3(static_cast<uint16_t>(m_SliderXAxis.getCurValue3()));
  profile.setDPIYaxis1(static_cast<uint16_t>(m_SliderYAxis.getCurValue1()));
  profile.setDPIYaxis2(static_cast<uint16_t>(m_SliderYAxis.getCurValue2()));
  profile.setDPIYaxis3(static_cast<uint16_t>(m_SliderYAxis.getCurValue3()));
}

void SensorView::OnCmd(int32_t id) {
  if (id == kSensorSeparateXY.id) {
    enableXYSetting();
  } else if (id == kSensorAnalyze.id) {
    analyzeSurface();
  } else if (id == kSensorLiftTest.id) {
    liftTest();
  } else if (id == kSensorLiftSave.id) {
    liftSave();
  }
}

void SensorView::subMsg(int32_t id, int32_t) {
  if (m_CheckEnableXYSeparateSetting.isCheck()) return;
  if (id == kSensorDpiX.id) copyDpiValues(m_SliderXAxis, m_SliderYAxis);
  if (id == kSensorDpiY.id) copyDpiValues(m_SliderYAxis, m_SliderXAxis);
}

void SensorView::enableXYSetting() {
  // Separating starts from equal axes; linking again waits for the next change.
  if (m_CheckEnableXYSeparateSetting.isCheck()) copyDpiValues(m_SliderXAxis, m_SliderYAxis);
}

void SensorView::liftTest() {
  if (!m_mouse->open()) return;
  if (!m_mouse->testLiftOff(m_SliderLiftDistance.getCurValue()))
    uiServices().alert("VELTPLUS", "lift distance test failed");
}

void SensorView::liftSave() {
  if (!m_mouse->open()) return;
  if (!m_mouse->saveLiftOff(m_SliderLiftDistance.getCurValue()))
    uiServices().alert("VELTPLUS", "lift distance save failed");
}

void SensorView::analyzeSurface() {
  // The picture keeps the last level until a new one is read.
  const int32_t previous = m_ProgressQualityAnalyzer.getCurValue();
  m_ProgressQualityAnalyzer.setCurValue(0);
  PopView dialog;
  dialog.setMouse(*m_mouse);
  dialog.initPopView(this, kAnalysisStartDialog);
  const int outcome = dialog.runModal();
  if (outcome == PopView::kCancelled) return;
  const bool open = m_mouse->open();
  if (outcome == PopView::kConfirmed && open) {
    if (const std::optional<int32_t> level = m_mouse->surfaceLevel()) {
      showQuality(*level);
      return;
    }
  }
  // Nothing was measured: the page keeps the level it had, and says why.
  showQuality(previous);
  const char* why = !open                         ? kMouseNotFoundMessage
                    : outcome == PopView::kFailed ? "surface analysis start failed"
                                                  : "surface analysis result failed";
  uiServices().alert("VELTPLUS", why);
}

void SensorView::showQuality(int32_t level) {
  m_ProgressQualityAnalyzer.setCurValue(level);
  m_StaticSurface.setImageItem(level);
  m_StaticSurface.setAccessibleDescription("level " + std::to_string(level));
}

}  // namespace velt
