"""VELTUpdate driven from outside through AT-SPI with real X input: a fresh emulated
mouse (0.46) is offered the demo package (0.47), updated on OK with a moving progress
bar, and ends on the success dialog; veltctl then reads 0.47. The protocol's waits (about
25 seconds) are not what this tests: VELTUpdate runs on a clock sped up ten times, and each
transfer of the emulated mouse takes 30 ms of that clock, so that the progress bar moves
for about a second where it can be seen.

    run_e2e.sh veltupdate_test.py path/to/VELTUpdate path/to/demo-package path/to/veltctl
"""

import os
import subprocess
import sys

from atspi_harness import Program, run, output_folder

VELTUPDATE, PACKAGE, VELTCTL = sys.argv[1], sys.argv[2], sys.argv[3]
FASTER = {"VELT_TEST_CLOCK_SPEEDUP": "10", "VELT_EMULATE_FAULTS": "latency-us=30000"}


def test(h):
    mouse = os.path.join(output_folder(), "mouse")
    with Program([VELTUPDATE, "--emulate", mouse, "--package", PACKAGE], env=FASTER) as app:
        window = app.window("VELTUpdate")
        ok = h.find(window, "push button", "OK", timeout=20)
        h.expect_equal(h.text_value(h.find(window, "label", "Mouse firmware version")), "0.46",
                       "the mouse's version offered")
        h.expect_equal(h.text_value(h.find(window, "label", "Package firmware version")),
                       "0.47", "the package's version offered")
        h.expect("Update firmware" in h.description(window),
                 "the offer describes itself")
        h.screenshot("veltupdate-offer.png")
        h.click(ok)

        progress = h.find(window, "progress bar", "Progress", timeout=20)
        seen = set()

        def moved():
            try:
                seen.add(h.value(progress)[0])
            except Exception:
                pass  # the bar goes when the transfer ends
            return len([v for v in seen if v > 0]) >= 2

        h.wait_until(moved, "the progress bar to move", timeout=30)
        h.screenshot("veltupdate-progress.png")
        done = h.find(window, "label", "Mouse firmware version", timeout=60)
        h.wait_until(lambda: h.text_value(done) == "0.47", "the success dialog showing 0.47",
                     timeout=30)
        h.screenshot("veltupdate-done.png")
        h.click(h.find(window, "push button", "OK"))
        h.wait_until(lambda: app.process.poll() is not None, "VELTUpdate to close on OK")
        h.expect_equal(app.process.returncode, 0, "VELTUpdate's exit status")

    info = subprocess.run([VELTCTL, "--emulate", mouse, "info"], capture_output=True, text=True,
                          timeout=60)
    h.expect("firmware 0.47" in info.stdout, "veltctl reads 0.47 afterwards: " + info.stdout)


run(test)
