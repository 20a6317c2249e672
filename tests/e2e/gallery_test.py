"""The control gallery driven from outside through AT-SPI: what a screen reader reads
(roles, names, states, values) and what real clicks and accessibility actions do.

    run_e2e.sh gallery_test.py path/to/velt_gallery
"""

import sys

from atspi_harness import Program, run


def test(h):
    with Program([sys.argv[1]]) as gallery:
        window = gallery.window("VELT control gallery")
        h.expect_equal(window.getRoleName(), "frame", "the window's role")
        h.expect_equal(h.description(window),
                       "Every control of the VELT toolkit, each in its states.",
                       "the window's description")

        # Roles and names a person would read.
        for role, name in [("push button", "Apply"), ("check box", "Scroll wheel"),
                           ("slider", "Pointer speed"), ("scroll bar", "Scroll bar"),
                           ("progress bar", "Horizontal progress"), ("list", "Macros"),
                           ("combo box", "Button 1"), ("label", "Static")]:
            h.find(window, role, name)

        # A check box toggled by a real click reads checked, then unchecked again.
        box = h.find(window, "check box", "Scroll wheel")
        was_checked = "checked" in h.states(box)
        h.click(box)
        h.wait_until(lambda: ("checked" in h.states(box)) != was_checked,
                     "the check box's state to follow a real click")
        # The same through the action interface.
        h.press(box, "Toggle")
        h.wait_until(lambda: ("checked" in h.states(box)) == was_checked,
                     "the check box's state to follow its Toggle action")

        # The tabs are latched buttons: the chosen one reads selected.
        first = h.find(window, "push button", "Profile 1")
        second = h.find(window, "push button", "Profile 2")
        h.expect("selected" in h.states(first), "the first tab starts selected")
        h.click(second)
        h.wait_until(lambda: "selected" in h.states(second) and
                     "selected" not in h.states(first), "the clicked tab to become selected")

        # Values and ranges.
        h.expect_equal(h.value(h.find(window, "slider", "Pointer speed")), (800.0, 200.0, 1400.0),
                       "the slider's value and range")
        h.expect_equal(h.value(h.find(window, "scroll bar", "Scroll bar")), (3.0, 0.0, 10.0),
                       "the scroll bar's value and range")
        thumbs = h.find(window, "slider", "DPI levels")
        h.expect_equal([h.value(h.find(thumbs, "slider", "Thumb %d" % n))[0] for n in (1, 2, 3)],
                       [800.0, 1600.0, 3200.0], "the three thumbs' values")
        progress = h.find(window, "progress bar", "Horizontal progress")
        current, low, high = h.value(progress)
        h.expect(low <= current <= high, "the progress bar's value lies in its range")

        h.screenshot("gallery.png")


run(test)
