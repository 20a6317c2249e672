#!/usr/bin/env python3
"""What an installation holds, checked against the programs themselves.

  packaging_test.py man-pages MAN_DIR COMPLETION VELTCTL [VELTPLUS VELTUPDATE]
      each man page names exactly the options its program's --help names, carries
      the program's --version, and renders without groff warnings; veltctl's man
      page and its bash completion offer exactly the commands of its --help.
  packaging_test.py install BUILD_DIR GUI
      cmake --install BUILD_DIR --prefix /usr into a DESTDIR puts every file where a
      Linux desktop looks for it, and the udev rule is the one the seat rules apply.
"""
import os
import re
import subprocess
import sys
import tempfile

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, check=False)


def man_text(path):
    with open(path, encoding="utf-8") as f:
        # Without font changes and with plain hyphens: the words as a reader sees them.
        return re.sub(r"\\f[BIRP]", "", f.read()).replace("\\-", "-")


def long_options(text):
    return set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", text))


def man_section(text, name):
    match = re.search(r"^\.SH " + name + r"\n(.*?)(?=^\.SH |\Z)", text, re.S | re.M)
    return match.group(1) if match else ""


def help_commands(help_text):
    return [line.split()[0] for line in help_text.splitlines()
            if re.match(r"^  [a-z]+( |$)", line) and not line.strip().startswith("-")]


def check_man_pages(man_dir, completion, programs):
    for program in programs:
        name = os.path.basename(program)
        page = os.path.join(man_dir, name + ".1")
        text = man_text(page)
        helped = run(program, "--help")
        check(helped.returncode == 0, f"{name} --help exits {helped.returncode}")
        help_options = long_options(helped.stdout)
        described = long_options(man_section(text, "OPTIONS") + man_section(text, "COMMANDS"))
        check(help_options == described,
              f"{name}: --help names {sorted(help_options - described)} that the man page "
              f"does not describe, the man page {sorted(described - help_options)} that "
              f"--help does not name")
        check(long_options(text) <= help_options,
              f"{name}: the man page names {sorted(long_options(text) - help_options)}")
        # The suite's version in the title line; the updater's own ("V1.05") in the text.
        version = run(program, "--version").stdout.split()[-1]
        if version.startswith("V"):
            check(version in text, f"{name}: the man page does not name version {version}")
        else:
            check(re.search(r'^\.TH \S+ 1 "[^"]*" "VELT ' + re.escape(version) + '"', text,
                            re.M), f"{name}: the man page's title line lacks version {version}")
        for section in ("SYNOPSIS", "OPTIONS", "EXIT STATUS", "ENVIRONMENT", "FILES",
                        "EXAMPLES"):
            check(man_section(text, section).strip(), f"{name}: no {section} section")
        for variable in ("VELT_WIRE_LOG", "VELT_EMULATE_FAULTS"):
            check(variable in man_section(text, "ENVIRONMENT"), f"{name}: {variable} missing")
        rendered = run("groff", "-man", "-Tutf8", "-ww", "-z", page)
        check(rendered.returncode == 0 and not rendered.stderr.strip(),
              f"{name}: groff warns: {rendered.stderr.strip()}")
        if name == "veltctl":
            commands = help_commands(helped.stdout)
            check(len(commands) > 0, "veltctl --help lists no commands")
            listed = re.findall(r"^\.TP\n\.B[IR]? (\w+)", man_section(text, "COMMANDS"), re.M)
            check(listed == commands,
                  f"veltctl: the man page's commands {listed} are not --help's {commands}")
            with open(completion, encoding="utf-8") as f:
                offered = re.search(r'local commands="([^"]*)"', f.read())
            check(offered is not None and offered.group(1).split() == commands,
                  f"the completion's commands are not --help's {commands}")


def check_install(build_dir, gui):
    with tempfile.TemporaryDirectory() as destdir:
        env = dict(os.environ, DESTDIR=destdir)
        installed = subprocess.run(["cmake", "--install", build_dir, "--prefix", "/usr"],
                                   env=env, capture_output=True, text=True, check=False)
        check(installed.returncode == 0, f"cmake --install failed: {installed.stderr}")
        found = set()
        for folder, dirs, files in os.walk(destdir):
            rel = os.path.relpath(folder, destdir)
            found.update(os.path.join(rel, f) for f in files)
            if not dirs and not files:
                found.add(rel + "/")
        wanted = {
            "usr/bin/veltctl",
            "usr/lib/udev/rules.d/70-velt.rules",
            "usr/share/man/man1/veltctl.1",
            "usr/share/bash-completion/completions/veltctl",
        }
        if gui:
            app = "com.corvel.VELTPLUS"
            wanted |= {
                "usr/bin/VELTPLUS", "usr/bin/VELTUpdate",
                "usr/share/man/man1/VELTPLUS.1", "usr/share/man/man1/VELTUpdate.1",
                f"usr/share/applications/{app}.desktop",
                "usr/share/applications/com.corvel.VELTUpdate.desktop",
                f"usr/share/metainfo/{app}.metainfo.xml",
                "usr/share/metainfo/com.corvel.VELTUpdate.metainfo.xml",
                f"etc/xdg/autostart/{app}.desktop",
                f"usr/share/icons/hicolor/scalable/apps/{app}.svg",
                "usr/share/velt/firmware/",
            }
            wanted |= {f"usr/share/icons/hicolor/{s}x{s}/apps/{app}.png"
                       for s in (16, 24, 32, 48, 64, 128, 256)}
        check(found == wanted, f"installed {sorted(found - wanted)} beyond what is meant, "
                               f"and not {sorted(wanted - found)}")
        rule_path = os.path.join(destdir, "usr/lib/udev/rules.d/70-velt.rules")
        if os.path.exists(rule_path):
            with open(rule_path, encoding="utf-8") as f:
                rules = [line for line in f.read().splitlines()
                         if line.strip() and not line.startswith("#")]
            products = set()
            for line in rules:
                check(line.startswith('SUBSYSTEM=="hidraw", ATTRS{idVendor}=="22d4", '),
                      f"rule not for the mouse's hidraw nodes: {line}")
                check(line.endswith(', TAG+="uaccess"') and "MODE" not in line
                      and "GROUP" not in line, f"rule gives more than seat access: {line}")
                products.update(re.findall(r'ATTRS\{idProduct\}=="(\w+)"', line))
            check(products == {"1301", "1303"}, f"rule covers the products {sorted(products)}")
        if gui:
            autostart = os.path.join(destdir, "etc/xdg/autostart/com.corvel.VELTPLUS.desktop")
            if os.path.exists(autostart):
                with open(autostart, encoding="utf-8") as f:
                    check("\nExec=VELTPLUS --hidden\n" in f.read(),
                          "the autostart entry does not start VELTPLUS --hidden")


def main():
    mode, args = sys.argv[1], sys.argv[2:]
    if mode == "man-pages":
        check_man_pages(args[0], args[1], args[2:])
    elif mode == "install":
        check_install(args[0], args[1] in ("ON", "1", "TRUE"))
    else:
        sys.exit(f"unknown mode {mode}")
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
