#include "updater/updater_images.h"

namespace velt {
namespace {

// clang-format off
constexpr ImageFamily kUpdaterImages[] = {
  {0, 0, "Firmware_incorrect_Normal.bmp", {}},
  {1, 3, {}, {"Firmware_incorrect_Normal.bmp", "Firmware_incorrect_Hover.bmp",
              "Firmware_incorrect_Push.bmp", {}}},
  {4, 4, "Can_not_find_Normal.bmp", {}},
  {5, 7, {}, {"Can_not_find_Normal.bmp", "Can_not_find_Hover.bmp", "Can_not_find_Push.bmp", {}}},
  {8, 8, "Firmware_up_to_date_Normal.bmp", {}},
  {9, 12, {}, {"Firmware_up_to_date_Normal.bmp", "Firmware_up_to_date_Hover.bmp",
               "Firmware_up_to_date_Push.bmp", {}}},
  {13, 13, "Firmware_Newer_Normal.bmp", {}},
  {14, 19, {}, {"Firmware_Newer_Normal.bmp", "Firmware_Newer_Hover.bmp",
                "Firmware_Newer_Push.bmp", {}}},
  {20, 20, "Update_firmware_Normal.bmp", {}},
  {21, 26, {}, {"Update_firmware_Normal.bmp", "Update_firmware_Hover.bmp",
                "Update_firmware_Push.bmp", {}}},
  {27, 27, "encountered_problem_Normal.bmp", {}},
  {28, 30, {}, {"encountered_problem_Normal.bmp", "encountered_problem_Hover.bmp",
                "encountered_problem_Push.bmp", {}}},
  {31, 31, "Update_Completed_Normal.bmp", {}},
  {32, 33, {}, {"Update_Completed_Normal.bmp", "Update_Completed_Hover.bmp",
                "Update_Completed_Push.bmp", {}}},
  {38, 38, "Successfully_update_Normal.bmp", {}},
  {39, 42, {}, {"Successfully_update_Normal.bmp", "Successfully_update_Hover.bmp",
                "Successfully_update_Push.bmp", {}}},
  {43, 43, "Firmware_update_Normal.bmp", {}},
  {44, 44, {}, {"Firmware_update_Normal.bmp", "Firmware_update_Hover.bmp",
                "Firmware_update_Hover.bmp", {}}},
  {46, 46, {}, {"Firmware_update_Normal.bmp", "Firmware_update_Hover.bmp",
                "Firmware_update_Hover.bmp", {}}},
  // What the window shows while the mouse is searched, before the first dialog.
  {47, 47, "Searching_Normal.bmp", {}},
};
// clang-format on

}  // namespace

std::span<const ImageFamily> updaterImageTable() {
  return kUpdaterImages;
}

Image updaterImage(int32_t state, int32_t id, const Rect& rect) {
  static ImageManager store(updaterImageTable());
  return store.getImage(state, id, rect);
}

}  // namespace velt
