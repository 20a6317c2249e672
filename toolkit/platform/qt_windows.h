#pragma once

#include <QGuiApplication>
#include <QWidget>

#include "toolkit/KivWindow.h"
#include "toolkit/platform/WindowWidget.h"

namespace velt {

// The top-level widget of a window (tests grab it and send it events).
inline QWidget* widgetOf(const KivWindow& window) {
  return window.impl().widget;
}

// Whether the program runs on Wayland, where a client neither places its own windows nor
// grabs the keyboard.
inline bool onWayland() {
  return QGuiApplication::platformName().startsWith("wayland");
}

}  // namespace velt
