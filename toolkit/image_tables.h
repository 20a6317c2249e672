#pragma once

#include <span>

#include "toolkit/ImageManager.h"

namespace velt {

// The configuration application's sheets: every page, dialog and shared control.
std::span<const ImageFamily> configImageTable();

}  // namespace velt
