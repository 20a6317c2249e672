"""VELTPLUS driven from outside through AT-SPI with real X input, on an emulated mouse
that another program (veltctl) changes at the same time.

    run_e2e.sh veltplus_test.py path/to/VELTPLUS path/to/veltctl
"""

import os
import subprocess
import sys

from atspi_harness import Program, run, output_folder
from veltplus_checks import expect_mouse_holds_the_files, profile_folder

VELTPLUS, VELTCTL = sys.argv[1], sys.argv[2]


def veltctl(mouse, *args):
    return subprocess.run([VELTCTL, "--emulate", mouse] + list(args), capture_output=True,
                          text=True, timeout=30)


def test(h):
    out = output_folder()
    mouse = os.path.join(out, "mouse")
    wire_log = os.path.join(out, "wire.log")
    profiles = profile_folder()
    with Program([VELTPLUS, "--emulate", mouse], env={"VELT_WIRE_LOG": wire_log}) as app:
        window = app.window("VELTPLUS")

        # What a screen reader finds on the main window.
        for name in ["Buttons", "Sensor", "Lighting", "Macros", "Support", "Reset to default",
                     "OK", "Apply", "Cancel"]:
            h.find(window, "push button", name)
        tabs = [h.find(window, "push button", "Profile%d" % n) for n in range(1, 6)]
        for n in range(1, 6):
            h.find(window, "combo box", "Profile menu %d" % n)
        h.find(window, "combo box", "Language")
        h.expect_equal(h.text_value(h.find(window, "label", "Version")), "0.46",
                       "the version label's value")

        # A fresh mouse is on slot 0: the first poll selects the fifth profile.
        h.wait_until(lambda: "selected" in h.states(tabs[4]), "the poll to select Profile5")

        # Another program switches the mouse; the poll (once a second) follows.
        h.expect_equal(veltctl(mouse, "switch", "2").returncode, 0, "veltctl switch 2")
        h.wait_until(lambda: "selected" in h.states(tabs[1]) and
                     "selected" not in h.states(tabs[4]), "the poll to follow to Profile2")

        # The support page reads the mouse's firmware version.
        h.click(h.find(window, "push button", "Support"))
        firmware = h.find(window, "label", "Firmware version")
        h.wait_until(lambda: h.text_value(firmware) == "0.46", "the firmware version 0.46")
        h.screenshot("veltplus-support.png")

        # Rename through the profile menu and its dialog, with real clicks and keys.
        h.click(h.find(window, "combo box", "Profile menu 3"))
        h.click(h.find(app.application(), "menu item", "Rename"))
        dialog = app.window("Rename profile")
        h.expect(h.description(dialog).startswith("Type a new name"),
                 "the dialog describes itself by its wording")
        h.screenshot("veltplus-rename.png")
        h.keys_reach(h.find(dialog, "text", "Profile name"), "the new name")
        subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+a"], check=True, timeout=10)
        subprocess.run(["xdotool", "type", "--delay", "20", "Aim"], check=True, timeout=10)
        h.click(h.find(dialog, "push button", "OK"))
        h.find(window, "push button", "Aim")

        # Apply, clicked: five files, and the mouse holds exactly their images. The files
        # are written first, then the mouse.
        before = open(wire_log).read().splitlines() if os.path.exists(wire_log) else []

        def applied():
            return open(wire_log).read().splitlines()[len(before):]

        def blocks():
            return [l for l in applied() if l.startswith("set ok 05")]

        h.click(h.find(window, "push button", "Apply"))
        for n in range(1, 6):
            path = os.path.join(profiles, "default%d.plist" % n)
            h.wait_until(lambda: os.path.exists(path), "%s to be written" % path)
        h.wait_until(lambda: len(blocks()) >= 10,
                     lambda: "the apply's data blocks, two per profile: %d sent" % len(blocks()))
        h.wait_until(lambda: "selected" in h.states(tabs[1]), "Profile2 to stay current")
        h.screenshot("veltplus-applied.png")

    # The program ends once the apply it began has ended: the whole apply is in the log.
    h.expect(not [l for l in applied() if "fail" in l], "no failed transfer in the apply")
    h.expect_equal(len(blocks()), 10, "data blocks sent: two per profile")

    # With the program stopped, the mouse and the files agree.
    expect_mouse_holds_the_files(h, VELTCTL, mouse, out)
    info = veltctl(mouse, "info").stdout
    h.expect("profile 2" in info, "the mouse's current profile is the current tab's: " + info)


run(test)
