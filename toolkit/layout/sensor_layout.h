#pragma once

#include <array>
#include <cstdint>

#include "toolkit/geometry.h"
#include "toolkit/layout/control_layout.h"

namespace velt {

// The sensor page, 783 x 349 points in its own coordinates ("Sensor_*.bmp"), and the
// surface pictures "0.bmp" to "100.bmp" its surface level shows.

inline constexpr Size kSensorPageSize = {783, 349};
inline constexpr Rect kSensorDpiPanel = {16, 120, 480, 213};
inline constexpr Rect kSensorMotionPanel = {16, 16, 480, 96};
inline constexpr Rect kSensorSurfacePanel = {512, 16, 255, 317};

inline constexpr ControlLayout kSensorSeparateXY = {46, {32, 288, 200, 20}, "Separate X and Y"};
inline constexpr ControlLayout kSensorRefinedMode = {47, {256, 288, 200, 20}, "Refined mode"};
// The sliders' pictures carry no wording: it is drawn beside them, at their labels.
inline constexpr ControlLayout kSensorDpiX = {48, {96, 220, 384, 40}, "DPI X", {32, 240, 60, 20}};
inline constexpr ControlLayout kSensorDpiY = {49, {96, 150, 384, 40}, "DPI Y", {32, 170, 60, 20}};
inline constexpr ControlLayout kSensorPointerSpeed = {
    50, {160, 68, 320, 20}, "Pointer speed", {32, 68, 120, 20}};
inline constexpr ControlLayout kSensorLiftDistance = {
    51, {160, 30, 176, 20}, "Lift-off distance", {32, 30, 120, 20}};
inline constexpr ControlLayout kSensorQualityBar = {52, {536, 64, 16, 232}, "Surface quality"};
inline constexpr ControlLayout kSensorSurfacePicture = {53, {576, 168, 176, 128}, "Surface level"};
inline constexpr ControlLayout kSensorAnalyze = {54, {576, 64, 176, 32}, "Analyze surface"};
// The lift-off buttons' captions are shorter than their accessible names.
inline constexpr ControlLayout kSensorLiftTest = {
    .id = 55, .frame = {348, 28, 62, 24}, .wording = "Lift-off test", .caption = "Test"};
inline constexpr ControlLayout kSensorLiftSave = {
    .id = 56, .frame = {418, 28, 62, 24}, .wording = "Save lift-off distance", .caption = "Save"};

// The page's wording that names no control: the analysis hint, and the quality bar's
// legend (its accessible name says more).
struct SensorLabelLayout {
  Rect frame;
  const char* wording;
};

inline constexpr std::array<SensorLabelLayout, 3> kSensorLabels = {{
    {{576, 132, 176, 20}, "Keep the mouse still on the"},
    {{576, 114, 176, 20}, "surface while it is analysed."},
    {{528, 40, 40, 16}, "Level"},
}};

// The surface pictures, one per level 0 to 10: "0.bmp", "10.bmp", ... "100.bmp".
inline constexpr Size kSurfacePictureSize = {176, 128};
inline constexpr int kSurfaceLevels = 11;

}  // namespace velt
