"""Checks of what VELTPLUS left behind, shared by its end-to-end tests."""

import os
import subprocess

PROFILE_SLOTS = [1, 2, 3, 4, 0]  # the device slots of profiles 1..5


def profile_folder():
    return os.path.join(os.environ["HOME"], "Corvel", "VELTPLUS", "Profiles")


def expect_mouse_holds_the_files(h, veltctl, mouse, out, profiles=range(1, 6)):
    """Each profile's slot of the emulated mouse holds exactly the image veltctl builds
    from its file (run with the program stopped)."""
    for n in profiles:
        slot = PROFILE_SLOTS[n - 1]
        dumped = os.path.join(out, "slot%d.bin" % slot)
        built = os.path.join(out, "file%d.bin" % slot)
        dump = subprocess.run([veltctl, "--emulate", mouse, "dump", str(slot), "-o", dumped],
                              capture_output=True, text=True, timeout=30)
        h.expect_equal(dump.returncode, 0, "dump of slot %d: %s" % (slot, dump.stderr))
        plist = os.path.join(profile_folder(), "default%d.plist" % n)
        image = subprocess.run([veltctl, "image", plist, "--slot", str(slot), "-o", built],
                               capture_output=True, text=True, timeout=30)
        h.expect_equal(image.returncode, 0, "image of default%d.plist: %s" % (n, image.stderr))
        if os.path.exists(dumped) and os.path.exists(built):
            h.expect(open(dumped, "rb").read() == open(built, "rb").read(),
                     "slot %d holds the image of default%d.plist" % (slot, n))
