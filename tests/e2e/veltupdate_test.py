"""VELTUpdate driven from outside through AT-SPI with real X input: a fresh emulated
mouse (0.46) is offered the demo package (0.47), updated on OK with a moving progress
bar, and ends on the success dialog; veltctl then reads 0.47. The protocol's waits (about
25 seconds) are not what this tests: VELTUpdate runs on a clock sped up ten times. The
progress bar is read while the test holds the emulated mouse, whose every transfer takes
the lock file of its folder: the update goes on a transfer at a time, in step with the
test, until the bar has shown two values.

    run_e2e.sh veltupdate_test.py path/to/VELTUpdate path/to/demo-package path/to/veltctl
"""

import fcntl
import os
import subprocess
import sys
import time

from atspi_harness import WAIT, Failure, Program, run, output_folder

VELTUPDATE, PACKAGE, VELTCTL = sys.argv[1], sys.argv[2], sys.argv[3]
FASTER = {"VELT_TEST_CLOCK_SPEEDUP": "10"}


class HeldMouse:
    """The emulated mouse's folder lock, taken as each of its transfers takes it: while it
    is held, the program's next transfer waits."""

    def __init__(self, mouse):
        self.fd = os.open(os.path.join(mouse, "lock"), os.O_RDWR | os.O_CREAT, 0o644)
        deadline = time.monotonic() + WAIT
        while True:
            try:
                fcntl.flock(self.fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return
            except BlockingIOError:
                if time.monotonic() >= deadline:
                    os.close(self.fd)
                    raise Failure("the emulated mouse stayed in one transfer for %ss" % WAIT)
                time.sleep(0.001)

    def release(self):
        if self.fd is not None:
            os.close(self.fd)  # the lock goes with the file
            self.fd = None


def test(h):
    mouse = os.path.join(output_folder(), "mouse")
    wire_log = os.path.join(output_folder(), "wire.log")

    def transfers():
        return len(open(wire_log).read().splitlines()) if os.path.exists(wire_log) else 0

    env = dict(FASTER, VELT_WIRE_LOG=wire_log)
    with Program([VELTUPDATE, "--emulate", mouse, "--package", PACKAGE], env=env) as app:
        window = app.window("VELTUpdate")
        ok = h.find(window, "push button", "OK")
        h.expect_equal(h.text_value(h.find(window, "label", "Mouse firmware version")), "0.46",
                       "the mouse's version offered")
        h.expect_equal(h.text_value(h.find(window, "label", "Package firmware version")),
                       "0.47", "the package's version offered")
        h.expect("Update firmware" in h.description(window),
                 "the offer describes itself")
        h.screenshot("veltupdate-offer.png")

        # OK shows the progress bar at once; the update's first transfer waits for the test.
        held = HeldMouse(mouse)
        try:
            h.click(ok)
            progress = h.find(window, "progress bar", "Progress")
            seen = set()
            deadline = time.monotonic() + 2 * WAIT
            while len([v for v in seen if v > 0]) < 2 and time.monotonic() < deadline:
                try:
                    seen.add(h.value(progress)[0])
                except Exception:
                    break  # the bar went: the transfer ended between two looks
                if len([v for v in seen if v > 0]) >= 2:
                    break
                # One transfer more (or a few), then the bar is read again.
                count = transfers()
                held.release()
                h.wait_until(lambda: transfers() > count, "a transfer of the update")
                held = HeldMouse(mouse)
            h.expect(len([v for v in seen if v > 0]) >= 2,
                     "the progress bar to move: it showed %s" % sorted(seen))
            h.screenshot("veltupdate-progress.png")
        finally:
            held.release()

        done = h.find(window, "label", "Mouse firmware version", timeout=60)
        h.wait_until(lambda: h.text_value(done) == "0.47", "the success dialog showing 0.47")
        h.screenshot("veltupdate-done.png")
        h.click(h.find(window, "push button", "OK"))
        h.wait_until(lambda: app.process.poll() is not None, "VELTUpdate to close on OK")
        h.expect_equal(app.process.returncode, 0, "VELTUpdate's exit status")

    info = subprocess.run([VELTCTL, "--emulate", mouse, "info"], capture_output=True, text=True,
                          timeout=60)
    h.expect("firmware 0.47" in info.stdout, "veltctl reads 0.47 afterwards: " + info.stdout)


run(test)
