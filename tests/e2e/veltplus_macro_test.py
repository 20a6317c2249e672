"""A macro recorded in VELTPLUS with real X key events, bound to a button beside a single
key, applied to an emulated mouse: the mouse, the profile file and the macro file agree.

    run_e2e.sh veltplus_macro_test.py path/to/VELTPLUS path/to/veltctl
"""

import os
import plistlib
import subprocess
import sys
import time

from atspi_harness import Program, run, output_folder

VELTPLUS, VELTCTL = sys.argv[1], sys.argv[2]
def xdotool(*args):
    subprocess.run(["xdotool"] + list(args), check=True, timeout=10)


def veltctl(mouse, *args):
    return subprocess.run([VELTCTL, "--emulate", mouse] + list(args), capture_output=True,
                          text=True, timeout=30)


def shown_item(h, app, caption):
    """The menu item with the caption in the menu that is open: every function menu has
    items of the same captions."""
    def match():
        for item in h.find_all(app.application(), "menu item"):
            if item.name == caption and "showing" in h.states(item):
                return item
        return None
    h.wait_until(lambda: match() is not None, "a shown menu item %r" % caption)
    return match()


def choose(h, app, window, menu_name, *items):
    """Opens a function menu and goes through its items: headings open their submenus
    by hovering, the last item is clicked."""
    h.click(h.find(window, "combo box", menu_name))
    for item in items[:-1]:
        x, y, width, height = h.extents(shown_item(h, app, item))
        xdotool("mousemove", "--sync", str(x + width // 2), str(y + height // 2))
    last = shown_item(h, app, items[-1])
    if len(items) > 1:
        h.screenshot("veltplus-menu-%s.png" % menu_name.replace(" ", "-").lower())
    h.click(last)


def test(h):
    out = output_folder()
    mouse = os.path.join(out, "mouse")
    home = os.environ["HOME"]
    profiles = os.path.join(home, "Corvel", "VELTPLUS", "Profiles")
    macros = os.path.join(home, "Corvel", "VELTPLUS", "Macros")
    with Program([VELTPLUS, "--emulate", mouse]) as app:
        window = app.window("VELTPLUS")
        tabs = [h.find(window, "push button", "Profile%d" % n) for n in range(1, 6)]
        # A fresh mouse is on slot 0: the first poll selects the fifth profile.
        h.wait_until(lambda: "selected" in h.states(tabs[4]), "the poll to select Profile5")

        # A new macro, named through the name list's field.
        h.click(h.find(window, "push button", "Macros"))
        h.click(h.find(window, "push button", "New macro"))
        h.keys_reach(h.find(window, "text", "New macro name"), "the new macro's name")
        xdotool("type", "--delay", "20", "Combo")
        xdotool("key", "Return")
        combo = h.find(h.find(window, "list", "Macros"), "list item", "Combo")
        h.wait_until(lambda: "selected" in h.states(combo), "the new macro to be selected")

        # Recorded with delays: Control+Shift+A, then B.
        h.click(h.find(window, "check box", "Record delays"))
        h.click(h.find(window, "push button", "Start recording"))
        # Recording has begun once Stop shows where Start was; the keys go to the page.
        stop = h.find(window, "push button", "Stop recording")
        h.wait_until(lambda: "showing" in h.states(stop), "the recording to begin")
        h.keys_reach(h.find(window, "panel", "Macros"), "the recorded keys")
        xdotool("keydown", "ctrl")
        xdotool("keydown", "shift")
        xdotool("key", "a")
        xdotool("keyup", "shift")
        xdotool("keyup", "ctrl")
        time.sleep(0.3)
        xdotool("key", "b")
        # Stop lies where Start was: the pointer leaves first, so that moving onto it is
        # a move (xdotool's --sync waits for one).
        xdotool("mousemove", "--sync", "0", "0")
        h.click(stop)
        events = h.find(window, "list", "Macro events")
        rows = lambda: [row.name.split(",")[0] for row in h.find_all(events, "list item")]
        recorded = ["control press", "shift press", "A press", "A release", "shift release",
                    "control release", "B press", "B release"]
        h.wait_until(lambda: rows() == recorded,
                     lambda: "the recorded events %s; the list has %s" % (recorded, rows()))
        h.screenshot("veltplus-macro-recorded.png")

        # Button 4 plays the macro, button 5 sends F5; a screen reader reads each
        # drop-down's function as its text, before and after.
        h.click(h.find(window, "push button", "Buttons"))
        button4 = h.find(window, "combo box", "Button 4")
        button5 = h.find(window, "combo box", "Button 5")
        h.expect_equal((h.text_value(button4), h.text_value(button5)), ("Forward", "Back"),
                       "buttons 4 and 5 read their default functions")
        choose(h, app, window, "Button 4", "Assign record macro", "Combo")
        choose(h, app, window, "Button 5", "Single key assign...")
        dialog = app.window("Assign a single key")
        h.keys_reach(h.find(dialog, "panel", "Assign a single key"), "the key to assign")
        xdotool("key", "F5")
        h.click(h.find(dialog, "push button", "OK"))
        h.wait_until(lambda: (h.text_value(button4), h.text_value(button5)) == ("Combo", "F5"),
                     "buttons 4 and 5 to read the macro and the key assigned")
        h.screenshot("veltplus-buttons-bound.png")

        h.click(h.find(window, "push button", "Apply"))
        plist = os.path.join(profiles, "default5.plist")
        h.wait_until(lambda: os.path.exists(plist), "default5.plist to be written")
        h.wait_until(lambda: os.path.exists(os.path.join(macros, "macroList.plist")),
                     "the macro library to be written")

    # The files: the profile keeps the binding and its own copy of the macro.
    with open(plist, "rb") as f:
        profile = plistlib.load(f)
    h.expect("Combo" in repr(profile), "the profile file holds the macro's name")
    h.expect_equal((profile.get("keyMappingTable4"), profile.get("keyMappingTable5"),
                    profile.get("keyMacro5")), ("14", "13", "96"),
                   "button 4 plays a macro, button 5 sends F5 (key code 96)")
    with open(os.path.join(macros, "macroList.plist"), "rb") as f:
        listed = plistlib.load(f)
    h.expect_equal(listed.get("macroCount"), "1", "one macro in the library")
    with open(listed.get("macro0", ""), "rb") as f:
        macro = plistlib.load(f)
    h.expect_equal(macro.get("macroName"), "Combo", "the macro file's name")
    h.expect_equal(macro.get("evnetCount"), "8", "the macro file's events")

    # The mouse holds exactly the image of the saved profile.
    dumped, built = os.path.join(out, "slot0.bin"), os.path.join(out, "file0.bin")
    h.expect_equal(veltctl(mouse, "dump", "0", "-o", dumped).returncode, 0, "dump of slot 0")
    image = subprocess.run([VELTCTL, "image", plist, "--slot", "0", "-o", built],
                           capture_output=True, text=True, timeout=30)
    h.expect_equal(image.returncode, 0, "image of default5.plist")
    if os.path.exists(dumped) and os.path.exists(built):
        h.expect(open(dumped, "rb").read() == open(built, "rb").read(),
                 "slot 0 holds the image of default5.plist")


run(test)
