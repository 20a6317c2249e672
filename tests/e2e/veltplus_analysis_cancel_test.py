"""Cancelling the surface analysis during its countdown, as a person does it: VELTPLUS
on an emulated mouse, the sensor page, Analyze, OK, then Cancel on the running step.
The analysis ends there: the running step goes, the finished step never comes (not
even when the countdown's time has passed), the surface quality bar is left empty,
nothing is alerted, and the program goes on answering.

    run_e2e.sh veltplus_analysis_cancel_test.py path/to/VELTPLUS
"""

import os
import sys
import time

from atspi_harness import Program, run, output_folder, on_wayland

VELTPLUS = sys.argv[1]
# The analysis runs 11 s; a finished step that wrongly followed the Cancel would come
# by then.
COUNTDOWN_SECONDS = 11


def window_names(app):
    return [w.name for w in app.application() if w is not None]


def test(h):
    mouse = os.path.join(output_folder(), "mouse")
    with Program([VELTPLUS, "--emulate", mouse]) as app:
        window = app.window("VELTPLUS")
        act = h.press if on_wayland() else h.click
        act(h.find(window, "push button", "Sensor"))
        quality = h.find(window, "progress bar", "Surface quality")
        opens_dialog = act if not on_wayland() else (
            lambda acc: h.press(acc, opens_modal=True))
        opens_dialog(h.find(window, "push button", "Analyze surface"))
        start = app.window("Analyze the surface")
        opens_dialog(h.find(start, "push button", "OK"))
        running = app.window("Analyzing the surface")
        h.screenshot("analysis-running.png")
        act(h.find(running, "push button", "Cancel"))
        cancelled_at = time.monotonic()
        h.wait_until(lambda: "Analyzing the surface" not in window_names(app)
                     or "showing" not in h.states(running),
                     lambda: "the running step to go after its Cancel (windows %s, states %s)"
                     % (window_names(app), sorted(h.states(running))))
        # Nothing must follow: the countdown's whole time passes without a finished step.
        while time.monotonic() - cancelled_at < COUNTDOWN_SECONDS + 1:
            if "Analysis finished" in window_names(app):
                break
            time.sleep(0.25)
        h.screenshot("analysis-cancelled.png")
        h.expect("Analysis finished" not in window_names(app),
                 "no finished step after a Cancel (windows: %s)" % window_names(app))
        h.expect_equal(h.value(quality)[0], 0, "the surface quality bar after a Cancel")
        # Still answering: another page opens.
        act(h.find(window, "push button", "Lighting"))
        h.wait_until(lambda: "selected" in h.states(h.find(window, "push button", "Lighting")),
                     "the lighting page to open after the cancelled analysis")


run(test)
