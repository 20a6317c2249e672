#!/usr/bin/env bash
# Installs what is missing, builds, and starts VELTPLUS against the emulated mouse kept
# in the user's cache folder (${XDG_CACHE_HOME:-~/.cache}/velt/emulated-mouse, kept
# between runs, so a second run sees what the first applied; VELT_EMULATE_DIR names
# another). With --real it talks to the attached mouse instead; with --updater it starts
# VELTUpdate on the emulated mouse with the demo firmware package. Any other arguments
# go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh" "$root/build"

emulated=${VELT_EMULATE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/velt/emulated-mouse}
if [ "${1:-}" = "--updater" ]; then
  shift
  exec "$root/build/updater/VELTUpdate" --emulate "$emulated" \
    --package "$root/build/updater/demo-package" "$@"
fi

args=(--emulate "$emulated")
if [ "${1:-}" = "--real" ]; then
  shift
  args=()
fi
exec "$root/build/config_app/VELTPLUS" "${args[@]}" "$@"
