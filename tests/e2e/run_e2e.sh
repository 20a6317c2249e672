#!/usr/bin/env bash
# Runs one end-to-end test (a Python file using atspi_harness.py) the way a user's
# desktop would run the program: its own X server (Xvfb), its own D-Bus session (the
# accessibility bus is started on demand), Qt on X11 with accessibility on, and a
# private home and runtime folder.
#
#   tests/e2e/run_e2e.sh TEST.py [arguments for the test...]
#   VELT_E2E_SESSION=wayland tests/e2e/run_e2e.sh TEST.py [arguments...]
#   VELT_E2E_SESSION=sway tests/e2e/run_e2e.sh TEST.py [arguments...]
#
# The others run it under a headless Wayland compositor instead, Qt on Wayland: weston
# with its headless back end, pixman drawing and --debug for its screenshooter, or sway
# (wlroots' headless back end), which offers protocols weston does not. There is no X
# server and no input device, so tests act only through accessibility actions; the
# compositor's globals are in wayland-info.txt of the output folder.
#
# Exits 77 (skipped) when a tool is missing or no display server can be made; otherwise
# with the test's status. VELT_E2E_OUT keeps screenshots and program output (default: a
# temporary folder, removed afterwards unless the test failed).
set -uo pipefail

skip() {
  echo "skipped: $*" >&2
  exit 77
}

here=$(cd "$(dirname "$0")" && pwd)
test_file=${1:?usage: run_e2e.sh TEST.py [arguments...]}
shift

# Debian's own Python carries pyatspi; a python3 of another installation may come first.
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import pyatspi' >/dev/null 2>&1; then
    python=$candidate
    break
  fi
done
[ -n "$python" ] || skip "no Python with pyatspi (Debian: python3-pyatspi)"
session=${VELT_E2E_SESSION:-x11}
case $session in
  x11) tools=(xvfb-run Xvfb dbus-run-session xdotool timeout) ;;
  wayland) tools=(weston weston-screenshooter wayland-info dbus-run-session timeout convert) ;;
  sway) tools=(sway wayland-info dbus-run-session timeout setpriv) ;;
  *) echo "VELT_E2E_SESSION is x11, wayland or sway, not $session" >&2; exit 2 ;;
esac
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing (scripts/setup-deps.sh)"
done

scratch=$(mktemp -d /tmp/velt-e2e-XXXXXX)
keep_output=0
compositor=
cleanup() {
  if [ -n "$compositor" ]; then
    kill "$compositor" 2>/dev/null
    wait "$compositor" 2>/dev/null
  fi
  if [ "$keep_output" = 0 ]; then rm -rf "$scratch"; fi
}
trap cleanup EXIT
mkdir -p "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
if [ -z "${VELT_E2E_OUT:-}" ]; then
  export VELT_E2E_OUT=$scratch/out
fi
mkdir -p "$VELT_E2E_OUT"

limit=${VELT_E2E_TIMEOUT:-120}
# The buses' start-up chatter is left out of the test's error output.
noise='Failed to set fd limit|Activating service|Successfully activated|SpiRegistry daemon'

if [ "$session" = wayland ]; then
  # No idle time: weston otherwise blanks its output after 5 minutes, and its
  # screenshooter then waits for a frame that never comes.
  wayland_display=$scratch/runtime/velt-e2e-$$
  XDG_RUNTIME_DIR="$scratch/runtime" weston --backend=headless-backend.so --use-pixman \
    --debug --idle-time=0 --socket="velt-e2e-$$" --width=1024 --height=768 \
    >"$VELT_E2E_OUT/weston.log" 2>&1 &
  compositor=$!
elif [ "$session" = sway ]; then
  # sway (wlroots) offers what weston does not, the keyboard-shortcuts-inhibit protocol
  # among them; it has no screenshooter. It refuses to run as root: there it runs as
  # nobody, in a runtime folder of its own that the test reaches by the socket's path.
  sway_runtime=$scratch/sway-runtime
  mkdir -p "$sway_runtime"
  chmod 700 "$sway_runtime"
  as_user=()
  if [ "$(id -u)" = 0 ]; then
    chown nobody "$sway_runtime" 2>/dev/null || skip "no user nobody to run sway as"
    chmod o+x "$scratch"  # for nobody to reach its folder; the others stay closed
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  (cd "$sway_runtime" && exec "${as_user[@]}" env -i PATH="$PATH" HOME="$sway_runtime" \
    XDG_RUNTIME_DIR="$sway_runtime" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c /dev/null) >"$VELT_E2E_OUT/sway.log" 2>&1 &
  compositor=$!
  # The compositor has up to 30 s to come up (a loaded machine), while it runs.
  for i in $(seq 300); do
    socket=$(cd "$sway_runtime" && ls wayland-* 2>/dev/null | grep -v lock | head -1)
    [ -n "$socket" ] && break
    kill -0 "$compositor" 2>/dev/null || break
    sleep 0.1
  done
  wayland_display=$sway_runtime/${socket:-none}
fi
if [ "$session" != x11 ]; then
  for i in $(seq 300); do
    WAYLAND_DISPLAY=$wayland_display wayland-info >/dev/null 2>&1 && break
    kill -0 "$compositor" 2>/dev/null || break
    sleep 0.1
  done
  WAYLAND_DISPLAY=$wayland_display wayland-info >"$VELT_E2E_OUT/wayland-info.txt" 2>&1 ||
    skip "no headless $session compositor could be started: $(tail -n 3 "$VELT_E2E_OUT"/*.log)"
  {
    timeout --kill-after=10 $((limit + 30)) \
      dbus-run-session -- \
      env -u DISPLAY -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME \
      HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" WAYLAND_DISPLAY="$wayland_display" \
      QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 \
      PYTHONPATH="$here${PYTHONPATH:+:$PYTHONPATH}" PYTHONDONTWRITEBYTECODE=1 \
      VELT_E2E_TIMEOUT="$limit" VELT_E2E_SESSION="$session" \
      "$python" "$test_file" "$@" 2>&1 1>&3 3>&- | grep -Ev "$noise" >&2
    status=${PIPESTATUS[0]}
  } 3>&1
  if [ "$status" != 0 ]; then
    keep_output=1
    echo "test output kept in $VELT_E2E_OUT" >&2
  fi
  exit "$status"
fi

# The session's first command proves the X server came up; without it the test is
# skipped, not failed.
started=$scratch/x-started
# A display number of its own: one just given up by the previous test may still be
# going away when xvfb-run -a would take it again.
display=$((100 + RANDOM % 800))
# -noreset: Xvfb otherwise resets when its last client leaves (the readiness check, the
# accessibility bus's start-up), and a program connecting meanwhile finds no display.
# The test starts once the server answers (30 s at the most), not before.
wait_for_x='for i in $(seq 150); do xdotool getdisplaygeometry >/dev/null 2>&1 && exit 0; sleep 0.2; done; exit 1'
wait_for_x="( $wait_for_x )"
{
  timeout --kill-after=10 $((limit + 30)) \
    xvfb-run -a -n "$display" -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    dbus-run-session -- \
    env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME \
    HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 \
    PYTHONPATH="$here${PYTHONPATH:+:$PYTHONPATH}" PYTHONDONTWRITEBYTECODE=1 \
    VELT_E2E_TIMEOUT="$limit" \
    sh -c "$wait_for_x"' && touch "$0" && exec "$@"' "$started" "$python" "$test_file" "$@" \
    2>&1 1>&3 3>&- | grep -Ev "$noise" >&2
  status=${PIPESTATUS[0]}
} 3>&1

[ -e "$started" ] || skip "no X server could be made (xvfb-run exited $status)"
if [ "$status" != 0 ]; then
  keep_output=1
  echo "test output kept in $VELT_E2E_OUT" >&2
fi
exit "$status"
