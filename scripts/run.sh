#!/usr/bin/env bash
# Installs what is missing, builds, and starts VELTPLUS against the emulated mouse
# kept in ~/.local/share/velt/emulated-mouse. With --real it talks to the attached
# mouse instead; with --updater it starts VELTUpdate on the emulated mouse with the demo
# firmware package. Any other arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh" "$root/build"

emulated=${VELT_EMULATE_DIR:-$HOME/.local/share/velt/emulated-mouse}
# --updater: VELTUpdate on the emulated mouse with the demo firmware package.
if [ "${1:-}" = "--updater" ]; then
  shift
  exec "$root/build/updater/VELTUpdate" --emulate "$emulated" \
    --package "$root/build/updater/demo-package" "$@"
fi

args=()
if [ "${1:-}" = "--real" ]; then
  shift
else
  args=(--emulate "${VELT_EMULATE_DIR:-$HOME/.local/share/velt/emulated-mouse}")
fi

if [ -x "$root/build/config_app/VELTPLUS" ]; then
  exec "$root/build/config_app/VELTPLUS" "${args[@]}" "$@"
fi
# Until the application exists, show what the device link sees.
exec "$root/build/cli/veltctl" "${args[@]}" info "$@"
