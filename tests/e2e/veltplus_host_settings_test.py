"""VELTPLUS on a GNOME desktop whose settings tool hangs, as gsettings does on a stuck
D-Bus: the window keeps answering and following the mouse's profile switches while the
tool hangs, each stuck call is stopped after its 2 s, and the next settings still go out.

    run_e2e.sh veltplus_host_settings_test.py path/to/VELTPLUS path/to/veltctl
"""

import os
import signal
import stat
import subprocess
import sys

from atspi_harness import Program, run, output_folder

VELTPLUS, VELTCTL = sys.argv[1], sys.argv[2]


def running(pid):
    """Whether the process is alive (a zombie is not)."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (OSError, IndexError):
        return False


def test(h):
    out = output_folder()
    mouse = os.path.join(out, "mouse")
    tools = os.path.join(out, "bin")
    os.makedirs(tools, exist_ok=True)
    calls = os.path.join(out, "gsettings-calls")
    gsettings = os.path.join(tools, "gsettings")
    with open(gsettings, "w") as f:
        # It hangs far longer than any wait of the test: only the program's stop ends it.
        f.write('#!/bin/sh\necho "$$ $*" >> "%s"\nexec sleep 600\n' % calls)
    os.chmod(gsettings, stat.S_IRWXU)

    def recorded():
        if not os.path.exists(calls):
            return []
        with open(calls) as f:
            return [line.split(" ", 1) for line in f.read().splitlines()]

    env = {"XDG_CURRENT_DESKTOP": "GNOME", "PATH": tools + ":" + os.environ["PATH"]}
    try:
        check(h, mouse, env, recorded)
    finally:
        for pid, _ in recorded():  # a call the program failed to stop
            if running(int(pid)):
                try:
                    os.kill(int(pid), signal.SIGKILL)
                except OSError:
                    pass


def check(h, mouse, env, recorded):
    with Program([VELTPLUS, "--emulate", mouse], env=env) as app:
        window = app.window("VELTPLUS")
        tabs = [h.find(window, "push button", "Profile%d" % n) for n in range(1, 6)]
        # The first poll selects the fifth profile and writes its settings: the tool hangs.
        h.wait_until(lambda: "selected" in h.states(tabs[4]), "the poll to select Profile5")
        h.wait_until(lambda: len(recorded()) == 1, "the first profile's gsettings call")
        h.expect_equal(recorded()[0][1], "set org.gnome.desktop.peripherals.mouse double-click 400",
                       "the double-click time of a fresh profile, in ms")
        stuck = int(recorded()[0][0])

        # Meanwhile the window answers and the poll follows another program's switch.
        switch = subprocess.run([VELTCTL, "--emulate", mouse, "switch", "2"],
                                capture_output=True, text=True, timeout=30)
        h.expect_equal(switch.returncode, 0, "veltctl switch 2: " + switch.stderr)
        h.wait_until(lambda: "selected" in h.states(tabs[1]), "the poll to follow to Profile2")
        h.click(h.find(window, "push button", "Buttons"))
        h.wait_until(lambda: h.text_value(h.find(window, "combo box", "Button 4")) == "Forward",
                     "the button page to answer")

        # The stuck call is stopped after its 2 s; the second profile's settings follow.
        h.wait_until(lambda: not running(stuck), "the stuck gsettings to be stopped")
        h.wait_until(lambda: len(recorded()) == 2, "the second profile's gsettings call")
        last = recorded()[-1]
        h.wait_until(lambda: not running(int(last[0])), "that call to be stopped too")


run(test)
