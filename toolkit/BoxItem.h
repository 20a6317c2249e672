#pragma once

#include <cstdint>
#include <string>

#include "toolkit/geometry.h"

namespace velt {

// One row of a KivListBox.
struct BoxItem {
  Rect m_rcItem;  // row rectangle in the list box
  std::string m_strText;
  bool m_bSelected = false;
  int32_t m_nID = 0;
};

}  // namespace velt
