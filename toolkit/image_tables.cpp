#include "toolkit/image_tables.h"

namespace velt {

namespace {

// clang-format off
// Image IDs of the configuration application. The first ID of a page's family is its
// background, returned whole; the other IDs are its controls, cut from the sheet of the
// state asked for. Controls use their control ID as image ID.
constexpr ImageFamily kConfigImages[] = {
  {0, 0, "Main_Normal.bmp", {}},
  {1, 21, {}, {"Main_Normal.bmp", "Main_Over.bmp", "Main_Down.bmp", "Main_Disable.bmp"}},
  {22, 22, "MouseSetting_Normal.bmp", {}},
  {23, 44, {}, {"MouseSetting_Normal.bmp", "MouseSetting_Over.bmp", "MouseSetting_Down.bmp",
                "MouseSetting_Disable.bmp"}},
  {45, 45, "Sensor_Normal.bmp", {}},
  {46, 56, {}, {"Sensor_Normal.bmp", "Sensor_Over.bmp", "Sensor_Down.bmp",
                "Sensor_Disable.bmp"}},
  {57, 57, "ColorSetting_BK.bmp", {}},
  {58, 97, {}, {"ColorSetting_Normal.bmp", "ColorSetting_Over.bmp", "ColorSetting_Down.bmp",
                "ColorSetting_Disable.bmp"}},
  {98, 98, "Mouse.png", {}},
  {99, 99, "MacroSetting_BK.bmp", {}},
  {100, 107, {}, {"MacroSetting_Normal.bmp", "MacroSetting_Over.bmp", "MacroSetting_Down.bmp",
                  "MacroSetting_Disable.bmp"}},
  {108, 108, "Support_Normal.bmp", {}},
  {109, 114, {}, {"Support_Normal.bmp", "Support_Over.bmp", "Support_Down.bmp",
                  "Support_Disable.bmp"}},
  {115, 115, "Slider_Normal.bmp", {}},
  {116, 116, "Slider_Disable.bmp", {}},
  {117, 117, "Slider1.bmp", {}},
  {118, 118, "Slider2.bmp", {}},
  {119, 119, "Slider3.bmp", {}},
  {120, 120, "Scroll_Normal.bmp", {}},
  // The scroll bar's parts: normal pictures from the "down" sheet, hovered from "over".
  {121, 123, {}, {"Scroll_Down.bmp", "Scroll_Over.bmp", {}, {}}},
  {124, 124, "ColorPanel.bmp", {}},
  {125, 125, "ReName_Normal.bmp", {}},
  {126, 129, {}, {"ReName_Normal.bmp", "ReName_Over.bmp", "ReName_Down.bmp",
                  "ReName_Disable.bmp"}},
  {130, 130, "LeftClickWarn_Normal.bmp", {}},
  {131, 132, {}, {"LeftClickWarn_Normal.bmp", "LeftClickWarn_Over.bmp",
                  "LeftClickWarn_Down.bmp", {}}},
  {133, 133, "DeleteMacro_Normal.bmp", {}},
  {134, 136, {}, {"DeleteMacro_Normal.bmp", "DeleteMacro_Over.bmp", "DeleteMacro_Down.bmp", {}}},
  {137, 137, "SensorSQAT1_Normal.bmp", {}},
  {138, 140, {}, {"SensorSQAT1_Normal.bmp", "SensorSQAT1_Over.bmp", "SensorSQAT1_Down.bmp", {}}},
  {141, 141, "SensorSQAT2_Normal.bmp", {}},
  {142, 146, {}, {"SensorSQAT2_Normal.bmp", "SensorSQAT2_Over.bmp", "SensorSQAT2_Down.bmp", {}}},
  {147, 147, "SensorSQAT3_Normal.bmp", {}},
  {148, 149, {}, {"SensorSQAT3_Normal.bmp", "SensorSQAT3_Over.bmp", "SensorSQAT3_Down.bmp", {}}},
  {150, 150, "ResetWarn_Normal.bmp", {}},
  {151, 153, {}, {"ResetWarn_Normal.bmp", "ResetWarn_Over.bmp", "ResetWarn_Down.bmp", {}}},
  {154, 154, "AssignKey_Normal.bmp", {}},
  {155, 158, {}, {"AssignKey_Normal.bmp", "AssignKey_Over.bmp", "AssignKey_Down.bmp",
                  "AssignKey_Disable.bmp"}},
};
// clang-format on

}  // namespace

std::span<const ImageFamily> configImageTable() {
  return kConfigImages;
}

}  // namespace velt
