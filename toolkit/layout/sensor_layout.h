#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"

namespace velt {

// The sensor page, 783 x 349 points in its own coordinates ("Sensor_*.bmp"), and the
// surface pictures "0.bmp" to "100.bmp" its surface level shows.

inline constexpr Size kSensorPageSize = {783, 349};
inline constexpr Rect kSensorDpiPanel = {16, 120, 480, 213};
inline constexpr Rect kSensorMotionPanel = {16, 16, 480, 96};
inline constexpr Rect kSensorSurfacePanel = {512, 16, 255, 317};

struct SensorControlLayout {
  int32_t id;
  Rect frame;
  const char* wording;  // drawn on or beside the control, and its accessible name
};

inline constexpr SensorControlLayout kSensorSeparateXY = {
    46, {32, 288, 200, 20}, "Separate X and Y"};
inline constexpr SensorControlLayout kSensorRefinedMode = {47, {256, 288, 200, 20}, "Refined mode"};
inline constexpr SensorControlLayout kSensorDpiX = {48, {96, 220, 384, 40}, "DPI X"};
inline constexpr SensorControlLayout kSensorDpiY = {49, {96, 150, 384, 40}, "DPI Y"};
inline constexpr SensorControlLayout kSensorPointerSpeed = {
    50, {160, 68, 320, 20}, "Pointer speed"};
inline constexpr SensorControlLayout kSensorLiftDistance = {
    51, {160, 30, 176, 20}, "Lift-off distance"};
inline constexpr SensorControlLayout kSensorQualityBar = {
    52, {536, 64, 16, 232}, "Surface quality"};
inline constexpr SensorControlLayout kSensorSurfacePicture = {
    53, {576, 168, 176, 128}, "Surface level"};
inline constexpr SensorControlLayout kSensorAnalyze = {54, {576, 64, 176, 32}, "Analyze surface"};
inline constexpr SensorControlLayout kSensorLiftTest = {55, {348, 28, 62, 24}, "Lift-off test"};
inline constexpr SensorControlLayout kSensorLiftSave = {
    56, {418, 28, 62, 24}, "Save lift-off distance"};

// The wording beside a control whose own picture carries none: the two DPI sliders, the
// two plain sliders and the quality bar.
struct SensorLabelLayout {
  Rect frame;
  const char* wording;
};

inline constexpr std::array<SensorLabelLayout, 7> kSensorLabels = {{
    {{32, 240, 60, 20}, "DPI X"},
    {{32, 170, 60, 20}, "DPI Y"},
    {{32, 68, 120, 20}, "Pointer speed"},
    {{32, 30, 120, 20}, "Lift-off distance"},
    {{576, 132, 176, 20}, "Keep the mouse still on the"},
    {{576, 114, 176, 20}, "surface while it is analysed."},
    {{528, 40, 40, 16}, "Level"},
}};

// The caption drawn on the lift-off save button (its accessible name says more).
inline constexpr const char* kSensorLiftSaveCaption = "Save";
inline constexpr const char* kSensorLiftTestCaption = "Test";

// The surface pictures, one per level 0 to 10: "0.bmp", "10.bmp", ... "100.bmp".
inline constexpr Size kSurfacePictureSize = {176, 128};
inline constexpr int kSurfaceLevels = 11;

}  // namespace velt
