#pragma once

#include <cstdint>
#include <string>

#include "toolkit/geometry.h"

namespace velt {

// One row of a KivMenu.
struct MenuItem {
  int32_t m_uID = 0;  // unique within the whole menu tree
  Rect m_rcItem;      // row rectangle in the menu view
  std::string m_strCaption;
  bool m_bSelected = false;  // stored only
  bool m_bEnable = true;
  bool m_bExistChild = false;  // has a submenu: drawn with an arrow, opens on hover
};

}  // namespace velt
