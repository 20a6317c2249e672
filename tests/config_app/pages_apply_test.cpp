// From the sensor and lighting pages through Apply to the profile file and the slot's
// image in the emulated mouse.
#include <gtest/gtest.h>

#include "device/profile_image.h"
#include "device/result_codes.h"
#include "tests/config_app/config_app_test_support.h"

namespace velt::test {
namespace {

using PagesApply = MainViewFixture;

TEST_F(PagesApply, WhatThePagesShowReachesTheFileAndTheMouse) {
  useEmulatedMouse();
  VELTView& v = start();
  click(v.profileTab(1));

  click(v.pageTab(1));
  SensorView& sensor = v.sensorView();
  sensor.xSlider().setCurValue1(800, true);  // linked: Y follows
  sensor.xSlider().setCurValue3(3200, true);
  click(sensor.separateXYCheck());
  sensor.ySlider().setCurValue2(5000, true);
  sensor.pointerSpeedSlider().setCurValue(4, true);
  sensor.liftDistanceSlider().setCurValue(20, true);
  whenDialogsRun(analysisAnswers(timers));
  click(sensor.analyzeButton());
  const int level = sensor.qualityBar().getCurValue();
  ASSERT_GT(level, 0);

  click(v.pageTab(2));
  ColorSettingView& lighting = v.colorSettingView();
  click(lighting.paletteButton(0));  // 209, 41, 43
  click(lighting.modeButton(3));     // pulsating
  click(lighting.ledSelectButton());
  click(lighting.zoneCheck(0));  // the scroll wheel
  click(lighting.zoneCheck(3));  // the logo

  click(v.applyButton());
  ASSERT_TRUE(alerts().empty()) << alerts().front();

  Profile fromFile;
  ASSERT_TRUE(fromFile.read(profileFile(2)));
  EXPECT_EQ(fromFile.DPIXaxis1(), 800);
  EXPECT_EQ(fromFile.DPIXaxis2(), 4000);
  EXPECT_EQ(fromFile.DPIYaxis2(), 5000);
  EXPECT_EQ(fromFile.DPIYaxis3(), 3200);
  EXPECT_EQ(fromFile.isEnableXPSeparate(), 1);
  EXPECT_EQ(fromFile.pointerSpeed(), 4);
  EXPECT_EQ(fromFile.liftDistance(), 20);
  EXPECT_EQ(fromFile.qualityAnalyzer(), level);
  EXPECT_EQ(fromFile.ledEffects(), 16u + 1u + 8u);
  EXPECT_EQ(fromFile.ledMode(), 3u);

  PROFILE_T stored{};
  ASSERT_EQ(Read_profile(2, stored), kResultSuccess);
  const SENSOR_T& s = stored.sensor;
  EXPECT_EQ(s.levels[0].x, 800 * 85 / 100) << "pointer speed 4 scales by 85%";
  EXPECT_EQ(s.levels[1].x, 4000 * 85 / 100);
  EXPECT_EQ(s.levels[1].y, 5000 * 85 / 100);
  EXPECT_EQ(s.levels[0].xySeparate, 1);
  EXPECT_EQ(s.liftDistance, 20);
  const LED_ZONE_T lit = {209, 41, 43, 3};
  EXPECT_EQ(stored.scrollWheelLed.red, lit.red);
  EXPECT_EQ(stored.scrollWheelLed.green, lit.green);
  EXPECT_EQ(stored.scrollWheelLed.blue, lit.blue);
  EXPECT_EQ(stored.logoLed.red, lit.red);
  EXPECT_EQ(stored.logoLed.blue, lit.blue);
  EXPECT_EQ(stored.dpiButtonsLed.red, 0) << "an unlit zone";

  // The profile as the next start reads it gives the mouse the same image.
  PROFILE_T fromFileRecord{};
  fromFile.setProfileID(2);
  fromFile.toPROFILE_T(fromFileRecord);
  EXPECT_EQ(fromFileRecord, stored);
}

}  // namespace
}  // namespace velt::test
