"""The sensor and lighting pages of VELTPLUS driven through AT-SPI with real X input, on
an emulated mouse: DPI levels (linked, then separate), a lift-off test, a surface
analysis, a palette colour and a mode, Apply; then the profile file and the mouse's
image of its slot.

    run_e2e.sh veltplus_pages_test.py path/to/VELTPLUS path/to/veltctl
"""

import os
import plistlib
import re
import subprocess
import sys

from atspi_harness import Program, run, output_folder

VELTPLUS, VELTCTL = sys.argv[1], sys.argv[2]


def drag(h, thumb, dx):
    """Drags the thumb, once shown, dx pixels sideways with real X input."""
    h.wait_until(lambda: "showing" in h.states(thumb), "the thumb to show before it is dragged")
    x, y, width, height = h.extents(thumb)
    x, y = x + width // 2, y + height // 2
    for step in (["mousemove", "--sync", str(x), str(y)], ["mousedown", "1"],
                 ["mousemove", "--sync", str(x + dx // 2), str(y)],
                 ["mousemove", "--sync", str(x + dx), str(y)], ["mouseup", "1"]):
        subprocess.run(["xdotool"] + step, check=True, timeout=10)


def mouse_state(mouse, key):
    text = open(os.path.join(mouse, "mouse-state")).read()
    found = re.search(re.escape(key) + r"\D*(\d+)", text)
    return int(found.group(1)) if found else None


def test(h):
    out = output_folder()
    mouse = os.path.join(out, "mouse")
    profiles = os.path.join(os.environ["HOME"], "Corvel", "VELTPLUS", "Profiles")
    with Program([VELTPLUS, "--emulate", mouse]) as app:
        window = app.window("VELTPLUS")
        # A fresh mouse is on slot 0, the fifth profile: the poll selects it.
        tab5 = h.find(window, "push button", "Profile5")
        h.wait_until(lambda: "selected" in h.states(tab5), "the poll to select Profile5")

        h.click(h.find(window, "push button", "Sensor"))
        dpi_x = h.find(window, "slider", "DPI X")
        dpi_y = h.find(window, "slider", "DPI Y")
        x1, y1 = h.find(dpi_x, "slider", "Thumb 1"), h.find(dpi_y, "slider", "Thumb 1")
        before = h.value(x1)[0]
        drag(h, x1, -60)
        h.wait_until(lambda: h.value(x1)[0] < before, "DPI X's first level to go down")
        h.expect_equal(h.value(y1)[0], h.value(x1)[0], "linked: DPI Y follows DPI X")

        separate = h.find(window, "check box", "Separate X and Y")
        h.click(separate)
        h.wait_until(lambda: "checked" in h.states(separate), "the axes to be separate")
        y3 = h.find(dpi_y, "slider", "Thumb 3")
        x3_before = h.value(h.find(dpi_x, "slider", "Thumb 3"))[0]
        drag(h, y3, 50)
        h.wait_until(lambda: h.value(y3)[0] > x3_before, "DPI Y's third level to go up")
        h.expect_equal(h.value(h.find(dpi_x, "slider", "Thumb 3"))[0], x3_before,
                       "separate: DPI X stays")
        dpi = (h.value(x1)[0], h.value(y3)[0])

        h.click(h.find(window, "push button", "Lift-off test"))
        h.wait_until(lambda: mouse_state(mouse, "tested-lift-distance") == 12,
                     "the mouse to test the profile's lift-off distance 12")

        quality = h.find(window, "progress bar", "Surface quality")
        h.click(h.find(window, "push button", "Analyze surface"))
        start = app.window("Analyze the surface")
        h.click(h.find(start, "push button", "OK"))
        done = app.window("Analysis finished", timeout=60)  # the analysis takes 11 s
        h.screenshot("pages-analysis-finished.png")
        h.click(h.find(done, "push button", "OK"))
        h.wait_until(lambda: h.value(quality)[0] == 8, "the surface level 8")
        h.screenshot("pages-sensor.png")

        h.click(h.find(window, "push button", "Lighting"))
        h.click(h.find(window, "push button", "Colour 209, 41, 43"))
        red = h.find(window, "text", "Red")
        h.wait_until(lambda: h.text_value(red) == "209", "the red field to show 209")
        # Each colour field is one text in the tree, where it is edited.
        fields = [acc.name for acc in h.find_all(window, "text")]
        h.expect_equal([fields.count(name) for name in ("Red", "Green", "Blue")], [1, 1, 1],
                       "the colour fields, each once")
        h.expect("editable" in h.states(red), "the red field is the editable one")
        pulsating = h.find(window, "push button", "Pulsating")
        h.click(pulsating)
        h.wait_until(lambda: "selected" in h.states(pulsating), "pulsating to be chosen")
        h.find(window, "image", "Lighting preview")
        h.screenshot("pages-lighting.png")

        h.click(h.find(window, "push button", "Apply"))
        path = os.path.join(profiles, "default5.plist")
        h.wait_until(lambda: os.path.exists(path), "the fifth profile file")

    with open(path, "rb") as f:
        saved = plistlib.load(f)
    number = lambda key: int(float(saved.get(key, "-1")))
    h.expect_equal((number("dipXaxis1"), number("dipYaxis3")), dpi, "the DPI levels in the file")
    h.expect_equal(number("isXYSeparate"), 1, "separate axes in the file")
    h.expect_equal(number("qualityAnalyzer"), 8, "the surface level in the file")
    h.expect_equal(number("liftDistance"), 12, "the lift-off distance in the file")
    h.expect_equal(number("ledMode"), 3, "pulsating in the file")
    h.expect_equal(round(float(saved["logoRed"]) * 255), 209, "the logo's red in the file")

    dumped, built = os.path.join(out, "slot0.bin"), os.path.join(out, "file5.bin")
    dump = subprocess.run([VELTCTL, "--emulate", mouse, "dump", "0", "-o", dumped],
                          capture_output=True, text=True, timeout=30)
    h.expect_equal(dump.returncode, 0, "dump of slot 0: " + dump.stderr)
    image = subprocess.run([VELTCTL, "image", path, "--slot", "0", "-o", built],
                           capture_output=True, text=True, timeout=30)
    h.expect_equal(image.returncode, 0, "image of default5.plist: " + image.stderr)
    if os.path.exists(dumped) and os.path.exists(built):
        h.expect(open(dumped, "rb").read() == open(built, "rb").read(),
                 "slot 0 holds the image of default5.plist")


run(test)
