"""Recording under a Wayland compositor that offers the keyboard-shortcuts-inhibit
protocol (a headless sway): while a macro records on its shown page, VELTPLUS asks the
compositor for its shortcuts, the compositor grants it, and the request ends with Stop,
another page and Cancel; nothing is said about shortcuts. What the program asks and
what the compositor answers are read from the program's protocol log (WAYLAND_DEBUG).

    VELT_E2E_SESSION=sway run_e2e.sh veltplus_wayland_shortcuts_test.py VELTPLUS veltctl
"""

import os
import re
import sys

from atspi_harness import Program, run, output_folder

VELTPLUS = sys.argv[1]

INHIBIT = re.compile(r"-> zwp_keyboard_shortcuts_inhibit_manager_v1@\d+\.inhibit_shortcuts"
                     r"\(new id zwp_keyboard_shortcuts_inhibitor_v1@(\d+),")
ANSWER = re.compile(r"[^>] zwp_keyboard_shortcuts_inhibitor_v1@(\d+)\.(active|inactive)\(\)")
DESTROY = re.compile(r"-> zwp_keyboard_shortcuts_inhibitor_v1@(\d+)\.destroy\(\)")


def inhibitor_log(path):
    """[(what, inhibitor)] in order: "asked", "active", "inactive", "ended"."""
    steps = []
    with open(path, errors="replace") as log:
        for line in log:
            for pattern, what in ((INHIBIT, "asked"), (DESTROY, "ended")):
                found = pattern.search(line)
                if found:
                    steps.append((what, found.group(1)))
            found = ANSWER.search(line)
            if found:
                steps.append((found.group(2), found.group(1)))
    return steps


def test(h):
    info = open(os.path.join(output_folder(), "wayland-info.txt")).read()
    if "zwp_keyboard_shortcuts_inhibit_manager_v1" not in info:
        h.fail("the compositor does not offer the keyboard-shortcuts-inhibit protocol")
    with Program([VELTPLUS, "--emulate", os.path.join(output_folder(), "mouse")],
                 env={"WAYLAND_DEBUG": "client"}) as app:
        window = app.window("VELTPLUS")
        log = lambda: inhibitor_log(app.stderr_path)
        h.press(h.find(window, "push button", "Macros"))
        start = h.find(window, "push button", "Start recording")
        stop = h.find(window, "push button", "Stop recording")

        def expect_steps(expected, what):
            h.wait_until(lambda: [step for step, _ in log()] == expected,
                         "%s: %s, the log has %s" % (what, expected, log()))

        # The alert, were there one, would hold the action's answer: it is not waited for.
        h.press(start, opens_modal=True)
        expect_steps(["asked", "active"], "Start asks and the compositor grants")
        h.press(stop)
        expect_steps(["asked", "active", "ended"], "Stop ends the request")
        ids = [number for _, number in log()]
        h.expect(len(set(ids)) == 1, "one inhibitor asked and ended: %s" % log())

        h.press(start, opens_modal=True)
        h.press(h.find(window, "push button", "Sensor"))
        expect_steps(["asked", "active", "ended"] * 2, "another page ends it")
        h.press(h.find(window, "push button", "Macros"))
        expect_steps(["asked", "active", "ended"] * 2 + ["asked", "active"],
                     "back on the recording page it is asked again")
        h.press(h.find(window, "push button", "Cancel"))
        expect_steps(["asked", "active", "ended"] * 3, "Cancel ends it")
        h.expect(not [label.name for label in h.find_all(app.application(), "label")
                      if "system shortcuts" in label.name],
                 "nothing is said about shortcuts the compositor passes on")


run(test)
