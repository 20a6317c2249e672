#pragma once

#include <optional>
#include <string>

namespace velt {

// The profile's values in the units Linux desktops use, shared by the GNOME and KDE
// backends. Each runs the way the profile does: the smallest double-click time is the
// slowest double-click (the longest interval allowed), scroll speed 1 the fewest lines.

// Milliseconds between the clicks of a double-click: 200 -> 1000 ms .. 1400 -> 200 ms, in
// the 100..1000 ms both desktops' own panels offer. Nothing for other values.
std::optional<int> doubleClickMilliseconds(int doubleClickTime);
// Lines per wheel step, 1..6 -> 1, 2, 3, 5, 7, 10 (KDE offers 1..20; its default is 3).
std::optional<int> wheelScrollLines(int scrollSpeed);
// libinput pointer speed in -1..1 for acceleration 1..3: -0.5, 0 (the desktop's
// default), 0.5. Nothing when acceleration is off or out of range.
std::optional<std::string> libinputPointerSpeed(bool isPointerAcceleration,
                                                int pointerAcceleration);

}  // namespace velt
