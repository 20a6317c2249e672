#pragma once

#include <QWidget>

#include "toolkit/KivWindow.h"
#include "toolkit/platform/WindowWidget.h"

namespace velt {

// The top-level widget of a window (tests grab it and send it events).
inline QWidget* widgetOf(const KivWindow& window) {
  return window.impl().widget;
}

}  // namespace velt
