"""Drives a real program from outside through its accessibility tree, as a screen reader
or a test robot would: AT-SPI (pyatspi) for roles, names, states, values and actions,
real X input (xdotool) for clicks, and screenshots of the X screen.

A test is a Python file run by run_e2e.sh, which gives it an X server (Xvfb), a D-Bus
session with the accessibility bus, and Qt's accessibility switched on; ctest runs it:

    add_test(NAME e2e_mine COMMAND ${VELT_E2E_RUN} mine_test.py $<TARGET_FILE:prog>)
    set_tests_properties(e2e_mine PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)

and the file itself:

    import sys
    from atspi_harness import Program, run

    def test(h):
        with Program([sys.argv[1], "--some-flag"]) as prog:
            window = prog.window("Window title")            # waits, bounded
            box = h.find(window, "check box", "Scroll wheel")
            h.expect("checked" not in h.states(box), "starts unchecked")
            h.click(box)                                     # real X click
            h.wait_until(lambda: "checked" in h.states(box), "checked after the click")
            h.press(h.find(window, "push button", "Apply"))  # the action interface
            current, low, high = h.value(h.find(window, "slider", "Pointer speed"))
            h.screenshot("after.png")                        # kept in VELT_E2E_OUT

    run(test)

Roles are AT-SPI role names ("push button", "check box", "slider", "scroll bar",
"progress bar", "label", "list item", "frame"...); states are AT-SPI state names
("checked", "selected", "enabled", "focused"...). Every wait ends after its timeout
(WAIT, 30 s unless a test says otherwise: generous, for a loaded machine) with a failure
that says what it waited for; run() ends the whole test after VELT_E2E_TIMEOUT seconds
(default 120) whatever happens. expect() records a failure and goes on; fail() stops
the test. Exit status: 0 passed, 1 failed, 77 skipped.

A step acts only on what the program shows: click() waits until its target is showing,
and keys are typed only once keys_reach() says the control that takes them has the
focus in the active window.
"""

import os
import signal
import subprocess
import sys
import tempfile
import time
import traceback

SKIPPED = 77
# How long a wait lasts before it fails (seconds).
WAIT = 30

try:
    import pyatspi
except ImportError:  # the wrapper checks first; this is for a test run by hand
    print("pyatspi is missing (Debian: python3-pyatspi): skipped", file=sys.stderr)
    sys.exit(SKIPPED)

# One D-Bus call may not take longer than this (milliseconds), the first one longer.
pyatspi.setTimeout(5000, 15000)


class Failure(Exception):
    """A test step that cannot go on."""


def _children(acc):
    try:
        count = acc.childCount
    except Exception:
        return []
    found = []
    for i in range(count):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            found.append(child)
    return found


def _describe(acc):
    try:
        return "%s %r" % (acc.getRoleName(), acc.name)
    except Exception as error:
        return "<gone: %s>" % error


def _walk(root, max_nodes=5000):
    """Every accessible under root (itself included), breadth first, at most max_nodes."""
    queue = [root]
    seen = 0
    while queue and seen < max_nodes:
        acc = queue.pop(0)
        seen += 1
        yield acc
        queue.extend(_children(acc))


def poll(predicate, timeout, interval=0.1):
    """Calls predicate until it returns something true or timeout seconds pass; its last
    result. Exceptions count as false (the tree changes while it is read)."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = predicate()
        except Exception:
            result = None
        if result or time.monotonic() >= deadline:
            return result
        time.sleep(interval)


class Program:
    """A program started with arguments; its output goes to files in the output folder.
    Used as a context manager, it is stopped (SIGTERM, then SIGKILL) on leaving."""

    def __init__(self, argv, env=None, name=None):
        self.argv = list(argv)
        self.name = name or os.path.basename(self.argv[0])
        out = output_folder()
        self.stdout_path = os.path.join(out, self.name + ".out")
        self.stderr_path = os.path.join(out, self.name + ".err")
        environment = dict(os.environ)
        environment.update(env or {})
        with open(self.stdout_path, "wb") as stdout, open(self.stderr_path, "wb") as stderr:
            self.process = subprocess.Popen(self.argv, stdout=stdout, stderr=stderr,
                                            env=environment)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def stop(self, timeout=WAIT):
        """Ends the program; its exit status. A program finishing what it was doing
        (VELTPLUS quits once an apply it began has ended) is given the timeout."""
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(timeout)
        return self.process.returncode

    def application(self, timeout=WAIT):
        """The program's application accessible (found by process id)."""
        def find():
            if self.process.poll() is not None:
                raise Failure("%s exited with %s before it showed up; its error output:\n%s"
                              % (self.name, self.process.returncode, self.errors()))
            desktop = pyatspi.Registry.getDesktop(0)
            for app in _children(desktop):
                try:
                    if app.get_process_id() == self.process.pid:
                        return app
                except Exception:
                    continue
            return None
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            app = find()  # a Failure (the program died) goes through
            if app:
                return app
            time.sleep(0.2)
        raise Failure("%s did not appear on the accessibility bus within %ss"
                      % (self.name, timeout))

    def window(self, name, timeout=WAIT):
        """The program's top-level window of that accessible name (its title unless the
        program named it otherwise)."""
        app = self.application(timeout)
        found = poll(lambda: next((w for w in _children(app) if w.name == name), None),
                     timeout)
        if not found:
            raise Failure("no window %r in %s; it has: %s" % (
                name, self.name, [_describe(w) for w in _children(app)]))
        return found

    def errors(self):
        with open(self.stderr_path, errors="replace") as stderr:
            return stderr.read()


class Harness:
    """The checks and actions of one test, passed to its test function."""

    def __init__(self):
        self.failures = []

    # Checks.
    def expect(self, condition, what):
        if not condition:
            self.failures.append(what)
            print("FAILED: " + what, file=sys.stderr)
        return bool(condition)

    def expect_equal(self, actual, expected, what):
        return self.expect(actual == expected, "%s: %r, expected %r" % (what, actual, expected))

    def fail(self, what):
        raise Failure(what)

    def wait_until(self, predicate, what, timeout=WAIT):
        """Waits (bounded) for predicate to hold; a failure saying `what` if it never does
        (`what` may be a function, asked then, to say what was there instead)."""
        if poll(predicate, timeout):
            return True
        return self.expect(False, "timed out after %ss waiting: %s"
                           % (timeout, what() if callable(what) else what))

    def keys_reach(self, acc, what):
        """Waits until keys typed now go to acc: it has the focus and its window is the
        active one."""
        def focused():
            top = acc
            while top.parent is not None and top.parent.getRoleName() != "application":
                top = top.parent
            return "focused" in self.states(acc) and "active" in self.states(top)
        if not self.wait_until(focused, "the keyboard focus on %s (%s)" % (_describe(acc), what)):
            raise Failure("keys would not reach %s" % _describe(acc))

    # Finding.
    def find(self, root, role, name, timeout=WAIT):
        """The first accessible under root with that role name and accessible name."""
        def match():
            for acc in _walk(root):
                try:
                    if acc.getRoleName() == role and acc.name == name:
                        return acc
                except Exception:
                    continue
            return None
        found = poll(match, timeout, 0.2)
        if not found:
            raise Failure("no %s %r under %s" % (role, name, _describe(root)))
        return found

    def find_all(self, root, role):
        found = []
        for acc in _walk(root):
            try:
                if acc.getRoleName() == role:
                    found.append(acc)
            except Exception:
                continue
        return found

    # Reading.
    def states(self, acc):
        """The accessible's state names, e.g. {"enabled", "checked", "showing"}."""
        return {pyatspi.stateToString(s) for s in acc.getState().getStates()}

    def value(self, acc):
        """(current, minimum, maximum) of a value control."""
        value = acc.queryValue()
        return value.currentValue, value.minimumValue, value.maximumValue

    def description(self, acc):
        return acc.description

    def text_value(self, acc):
        """What the control shows as its value: its text when it has the text interface,
        else its name."""
        try:
            text = acc.queryText()
            return text.getText(0, -1)
        except NotImplementedError:
            return acc.name

    def extents(self, acc):
        """(x, y, width, height) on the screen in device pixels, y down. Under X11 Qt's
        bridge gives them in its pixels before QT_SCALE_FACTOR; X input wants the
        screen's."""
        box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        scale = 1.0 if on_wayland() else float(os.environ.get("QT_SCALE_FACTOR") or 1)
        return tuple(round(v * scale) for v in (box.x, box.y, box.width, box.height))

    # Acting.
    def click(self, acc, button=1):
        """A real X click (xdotool) in the middle of the accessible's screen extents, once
        the accessible is showing (a page's controls are in the tree while another page
        is shown)."""
        if not self.wait_until(lambda: "showing" in self.states(acc),
                               "%s to show before it is clicked" % _describe(acc)):
            raise Failure("%s is not shown to be clicked" % _describe(acc))
        x, y, width, height = self.extents(acc)
        if width <= 0 or height <= 0:
            raise Failure("%s has no extents to click" % _describe(acc))
        self.click_at(x + width // 2, y + height // 2, button)

    def click_at(self, x, y, button=1):
        # "mousemove --sync" waits for a motion event, which never comes when the pointer
        # is already there.
        where = subprocess.run(["xdotool", "getmouselocation", "--shell"], capture_output=True,
                               text=True, timeout=10).stdout
        if "X=%d\nY=%d\n" % (x, y) not in where:
            subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=True,
                           timeout=10)
        subprocess.run(["xdotool", "click", str(button)], check=True, timeout=10)

    def press(self, acc, action="Press", opens_modal=False):
        """Runs an action of the accessible's action interface, by name, as a screen reader
        does (Qt names them "Press", "Toggle", "SetFocus"...). An action that opens a
        modal dialog answers only once the dialog is closed: with opens_modal the answer
        is not waited for."""
        actions = acc.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if action not in names:
            raise Failure("%s has no action %r, only %s" % (_describe(acc), action, names))
        if not opens_modal:
            actions.doAction(names.index(action))
            return
        pyatspi.setTimeout(300, 300)
        try:
            actions.doAction(names.index(action))
        except Exception as error:
            if "Did not receive a reply" not in str(error):
                raise
        finally:
            pyatspi.setTimeout(5000, 15000)

    def screenshot(self, file_name):
        """The whole screen into the output folder; its path. Under Wayland it is the
        compositor's output, taken by weston's screenshooter (weston runs with --debug)."""
        path = os.path.join(output_folder(), file_name)
        if not on_wayland():
            subprocess.run(["import", "-window", "root", path], check=True, timeout=30)
            return path
        # The screenshooter writes wayland-screenshot-<time>.png into its working folder.
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run(["weston-screenshooter"], cwd=folder, check=True, timeout=30)
            shots = [f for f in os.listdir(folder) if f.endswith(".png")]
            if len(shots) != 1:
                raise Failure("weston-screenshooter wrote %s" % shots)
            os.replace(os.path.join(folder, shots[0]), path)
        return path

    def changed_region(self, before, after, below=0):
        """(x, y, width, height) of the pixels that differ between two screenshots of the
        same size, looking only at the rows from `below` down (to leave out a panel's
        clock); None when none differ."""
        width, height = subprocess.run(
            ["identify", "-format", "%w %h", before], check=True, capture_output=True,
            text=True, timeout=30).stdout.split()
        crop = "%sx%d+0+%d" % (width, int(height) - below, below)
        box = subprocess.run(
            ["convert", before, after, "-compose", "difference", "-composite", "-crop", crop,
             "+repage", "-threshold", "0", "-bordercolor", "black", "-border", "1",
             "-format", "%@", "info:"],
            check=True, capture_output=True, text=True, timeout=30).stdout.strip()
        # A black border makes the unchanged colour the one around the picture; the box
        # is "0x0+..." when nothing differs.
        size, x, y = box.split("+")
        w, h = (int(n) for n in size.split("x"))
        if w == 0 or h == 0:
            return None
        return int(x) - 1, int(y) - 1 + below, w, h


def on_wayland():
    """Whether the test runs under a Wayland compositor (run_e2e.sh with
    VELT_E2E_SESSION=wayland or sway): no X server, no xdotool."""
    return os.environ.get("VELT_E2E_SESSION") in ("wayland", "sway")


def output_folder():
    """Where screenshots and program output go: VELT_E2E_OUT, else a temporary folder."""
    folder = os.environ.get("VELT_E2E_OUT")
    if not folder:
        folder = tempfile.mkdtemp(prefix="velt-e2e-")
        os.environ["VELT_E2E_OUT"] = folder
    os.makedirs(folder, exist_ok=True)
    return folder


def run(test):
    """Runs test(harness) within VELT_E2E_TIMEOUT seconds and exits with its result."""
    limit = int(os.environ.get("VELT_E2E_TIMEOUT", "120"))

    def out_of_time(signum, frame):
        raise Failure("the test did not finish within %ss" % limit)

    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(limit)
    harness = Harness()
    try:
        test(harness)
    except Failure as failure:
        harness.failures.append(str(failure))
        print("FAILED: %s" % failure, file=sys.stderr)
    except Exception:
        harness.failures.append("error")
        traceback.print_exc()
    finally:
        signal.alarm(0)
    print("output in %s" % output_folder())
    if harness.failures:
        print("%d failure(s)" % len(harness.failures), file=sys.stderr)
        sys.exit(1)
    print("passed")
    sys.exit(0)
