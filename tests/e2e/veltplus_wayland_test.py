"""VELTPLUS under a headless Wayland compositor (weston), driven only through AT-SPI
actions (there is no seat, and xdotool cannot reach Wayland), on an emulated mouse:
a function menu and a colour palette open at their controls, the profile dialog and an
alert open over the main window, recording says once what the compositor does with its
shortcuts, and Apply writes the files and the mouse's slots.

    VELT_E2E_SESSION=wayland run_e2e.sh veltplus_wayland_test.py VELTPLUS veltctl

Where things are is read from the compositor's own screenshots, not from the program:
a Wayland client does not know where its windows are on the screen (Qt reports every
window at a place of its own choosing), so what the accessibility tree says is only
trusted relative to the main window. Each pop-up or dialog is the region that changed
between the screenshots before and after it opened.
"""

import itertools
import os
import re
import sys
import time

from atspi_harness import WAIT, Program, poll, run, output_folder
from veltplus_checks import expect_mouse_holds_the_files, profile_folder

VELTPLUS, VELTCTL = sys.argv[1], sys.argv[2]
PANEL = 40  # weston's panel, with its clock, along the top of the screen
SLACK = 2   # pixels


def toplevels(log_path):
    """[(toplevel, parent)] of the program's xdg toplevels, oldest first, from its
    Wayland protocol log (WAYLAND_DEBUG=1): what it told the compositor."""
    created = re.compile(r"-> xdg_surface@\d+\.get_toplevel\(new id xdg_toplevel@(\d+)\)")
    parent = re.compile(r"-> xdg_toplevel@(\d+)\.set_parent\(xdg_toplevel@(\d+)\)")
    levels = []
    with open(log_path, errors="replace") as log:
        for line in log:
            found = created.search(line)
            if found:
                levels.append([found.group(1), None])
                continue
            found = parent.search(line)
            if found:
                for level in reversed(levels):
                    if level[0] == found.group(1):
                        level[1] = found.group(2)
                        break
    return [tuple(level) for level in levels]


def alert_saying(h, app, words):
    """The program's shown top-level window with a label holding the words, if any."""
    app_acc = app.application()
    for i in range(app_acc.childCount):
        top = app_acc.getChildAtIndex(i)
        if "showing" in h.states(top) and any(
                words in label.name for label in h.find_all(top, "label")):
            return top
    return None


def test(h):
    out = output_folder()
    mouse = os.path.join(out, "mouse")
    offered = "zwp_keyboard_shortcuts_inhibit_manager_v1" in open(
        os.path.join(out, "wayland-info.txt")).read()
    shots = itertools.count(1)

    def shot(name):
        return h.screenshot("wayland-%02d-%s.png" % (next(shots), name))

    def settled_shot(name, changed_from=None):
        """A screenshot once the screen stopped changing (the shell's first frames, the
        program's first paints); with changed_from, once it has changed from that one
        too: what the program was asked to show has reached the screen."""
        previous = shot(name)
        deadline = time.monotonic() + WAIT
        while changed_from and h.changed_region(changed_from, previous, PANEL) is None:
            if time.monotonic() >= deadline:
                h.fail("the screen did not change within %ss: %s" % (WAIT, name))
            previous = shot(name)
        for _ in range(10):
            current = shot(name)
            if h.changed_region(previous, current, PANEL) is None:
                return current
            previous = current
        h.fail("the screen keeps changing: " + name)

    desktop = settled_shot("desktop")
    # The protocol log goes to the program's error output.
    with Program([VELTPLUS, "--emulate", mouse], env={"WAYLAND_DEBUG": "client"}) as app:
        window = app.window("VELTPLUS")
        # A fresh mouse is on slot 0, the fifth profile: the poll selects it.
        tab5 = h.find(window, "push button", "Profile5")
        h.wait_until(lambda: "selected" in h.states(tab5), "the poll to select Profile5")
        main = settled_shot("main", changed_from=desktop)
        frame = h.changed_region(desktop, main, PANEL)
        if not frame:
            h.fail("the main window is not on the screen")
        h.expect_equal(frame[2:], (800, 600), "the main window's size on the screen")
        wx, wy = h.extents(window)[:2]

        def on_screen(acc):
            """Where the accessible is on the screen: its place in the window, from the
            window's place in the screenshot."""
            x, y, width, height = h.extents(acc)
            return frame[0] + x - wx, frame[1] + y - wy, width, height

        def opened(what):
            """The pop-up window that opened: the program's shown nameless top level."""
            app_acc = app.application()
            popup = poll(lambda: next((w for w in (app_acc.getChildAtIndex(i)
                                                   for i in range(app_acc.childCount))
                                       if w.name == "" and "showing" in h.states(w)), None),
                         WAIT)
            if not popup:
                h.fail("no %s opened" % what)
            return popup

        def expect_next_to(region, control, popup, what):
            cx, cy, cw, ch = on_screen(control)
            x, y, w, ht = region
            h.expect(abs(y - (cy + ch)) <= SLACK or abs(y + ht - cy) <= SLACK,
                     "%s %s on the screen touches %s %s above or below" % (
                         what, region, "its control", (cx, cy, cw, ch)))
            h.expect(x < cx + cw and cx < x + w, "%s %s overlaps its control %s sideways" % (
                what, region, (cx, cy, cw, ch)))
            px, py, pw, ph = on_screen(popup)
            h.expect(max(abs(x - px), abs(y - py), abs(w - pw), abs(ht - ph)) <= SLACK,
                     "%s on the screen %s is where the program put it %s" % (
                         what, region, (px, py, pw, ph)))

        # Button 4's function menu, under its drop-down.
        drop_down = h.find(window, "combo box", "Button 4")
        h.press(drop_down)
        menu = opened("function menu")
        with_menu = settled_shot("function-menu", changed_from=main)
        region = h.changed_region(main, with_menu, PANEL)
        h.expect(region is not None, "the function menu shows on the screen")
        if region:
            expect_next_to(region, drop_down, menu, "the function menu")
        h.press(h.find(menu, "menu item", "Scroll down"))
        h.wait_until(lambda: h.text_value(drop_down) == "Scroll down",
                     "Button 4 to be Scroll down")
        h.wait_until(lambda: "showing" not in h.states(menu), "the menu to close")

        # The scroll wheel's palette, next to its colour button.
        h.press(h.find(window, "push button", "Lighting"))
        h.press(h.find(window, "push button", "Select zones"))
        colour = h.find(window, "push button", "Scroll wheel colour")
        h.wait_until(lambda: "showing" in h.states(colour), "the zones' colour buttons")
        lighting = settled_shot("lighting", changed_from=with_menu)
        h.press(colour)
        palette = opened("palette")
        with_palette = settled_shot("palette", changed_from=lighting)
        region = h.changed_region(lighting, with_palette, PANEL)
        h.expect(region is not None, "the palette shows on the screen")
        if region:
            expect_next_to(region, colour, palette, "the palette")
        h.press(h.find(palette, "list item", "#5CBA16"))
        h.wait_until(lambda: "showing" not in h.states(palette), "the palette to close")

        # The rename dialog, over the main window.
        h.press(h.find(window, "push button", "Buttons"))
        before = settled_shot("before-dialog", changed_from=with_palette)
        h.press(h.find(window, "combo box", "Profile menu 3"))
        h.press(h.find(app.application(), "menu item", "Rename"), opens_modal=True)
        dialog = app.window("Rename profile")
        with_dialog = settled_shot("rename-dialog", changed_from=before)
        region = h.changed_region(before, with_dialog, PANEL)

        def expect_over_the_window(region, what):
            """The dialog is transient for the main window (the program told the
            compositor, which then keeps it above the window and places it by its own
            rule: weston at its place for new windows, other desktops centred on the
            parent), and it shows on the screen over the window."""
            levels = toplevels(app.stderr_path)
            h.expect(len(levels) >= 2 and levels[-1][1] == levels[0][0],
                     "%s is transient for the main window: toplevels and parents %s" % (
                         what, levels))
            h.expect(region is not None, "%s shows on the screen" % what)
            if region:
                x, y, w, ht = region
                h.expect(x < frame[0] + frame[2] and frame[0] < x + w and
                         y < frame[1] + frame[3] and frame[1] < y + ht,
                         "%s %s is over the main window %s" % (what, region, frame))

        expect_over_the_window(region, "the rename dialog")
        h.press(h.find(dialog, "push button", "Cancel"))
        h.wait_until(lambda: "showing" not in h.states(dialog), "the dialog to close")

        # Recording: where the compositor cannot be asked for its shortcuts, the page
        # says so once, in an alert over the main window.
        h.press(h.find(window, "push button", "Macros"))
        before = settled_shot("macros", changed_from=with_dialog)
        h.press(h.find(window, "push button", "Start recording"), opens_modal=not offered)
        # Where the alert is due it is waited for; where it is not, a wrong one has a few
        # seconds to show.
        alert = poll(lambda: alert_saying(h, app, "system shortcuts"), 3 if offered else WAIT)
        if offered:
            h.expect(alert is None, "no alert where the compositor passes its shortcuts on")
        elif h.expect(alert is not None, "an alert that system shortcuts may not be recorded"):
            region = h.changed_region(before, settled_shot("shortcuts-alert", changed_from=before),
                                      PANEL)
            expect_over_the_window(region, "the alert")
            h.press(h.find(alert, "push button", "OK"))
        h.press(h.find(window, "push button", "Stop recording"))
        h.press(h.find(window, "push button", "Start recording"), opens_modal=True)
        h.expect(poll(lambda: alert_saying(h, app, "system shortcuts"), 1) is None,
                 "the second recording says nothing")
        h.press(h.find(window, "push button", "Stop recording"))

        # Apply writes the five files and the mouse's slots.
        h.press(h.find(window, "push button", "Apply"))
        for n in range(1, 6):
            path = os.path.join(profile_folder(), "default%d.plist" % n)
            h.wait_until(lambda: os.path.exists(path), "%s to be written" % path)
    expect_mouse_holds_the_files(h, VELTCTL, mouse, out)


run(test)
