#!/usr/bin/env bash
# Fails when a source file includes a layer above its own, or Qt where Qt does not
# belong, naming FILE:LINE and the include. The layers and what each may include are
# the table of docs/ARCHITECTURE.md ("Layers"); keep the two together.
# VELTPLUS reaches the mouse through one seam: of device/ its files include only the key
# code table, except the seam's implementation. Tests, benchmarks and fuzz targets may
# include any layer and are not checked.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layer a source file belongs to. The updater's flow (no Qt) and its window are
# two layers of one folder.
layer_of() {
  case $1 in
    base/*) echo base ;;
    device/*) echo device ;;
    emulator/*) echo emulator ;;
    model/*) echo model ;;
    updater/UpdaterView.* | updater/UpdaterTextBlock.* | updater/updater_images.* | updater/updater_main.cpp)
      echo updater-window ;;
    updater/*) echo updater-flow ;;
    cli/*) echo cli ;;
    toolkit/*) echo toolkit ;;
    config_app/*) echo config_app ;;
    *) echo "" ;;
  esac
}

# The layers a layer may include: itself and those below it, the whole way down.
allowed_layers() {
  case $1 in
    base) echo "base" ;;
    device) echo "device base" ;;
    emulator) echo "emulator device base" ;;
    model) echo "model device base" ;;
    updater-flow) echo "updater-flow model device base" ;;
    cli) echo "cli updater-flow emulator model device base" ;;
    toolkit) echo "toolkit base" ;;
    config_app) echo "config_app toolkit emulator model device base" ;;
    updater-window) echo "updater-window updater-flow toolkit emulator model device base" ;;
  esac
}

# Where Qt may be included: the toolkit's platform half, the sheet generator, and the
# programs' own Qt glue (VELTPLUS's app/ and tools/, the updater's and the gallery's
# main).
qt_allowed() {
  case $1 in
    toolkit/platform/* | toolkit/sheetgen/* | config_app/app/* | config_app/tools/*) return 0 ;;
    updater/updater_main.cpp | toolkit/gallery/gallery_main.cpp) return 0 ;;
    *) return 1 ;;
  esac
}

failures=0
report() {
  echo "$1: $2" >&2
  failures=$((failures + 1))
}

files=$(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' 2>/dev/null ||
  find . \( -path './build*' -o -path ./dist -o -path './obj-*' \) -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||')
for file in $files; do
  [ -f "$file" ] || continue
  layer=$(layer_of "$file")
  [ -n "$layer" ] || continue
  allowed=" $(allowed_layers "$layer") "
  while IFS=: read -r line text; do
    include=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*//' <<<"$text")
    case $include in
      \<Q* | \<qpa/* | \<private/q*)
        qt_allowed "$file" || report "$file:$line" "$include: Qt is used only in toolkit/platform/, toolkit/sheetgen/ and the programs' Qt glue"
        ;;
      \"*\")
        target=${include#\"}
        target=${target%\"}
        target_layer=$(layer_of "$target")
        # A header named from the including file's folder counts as the file it is.
        if [ -z "$target_layer" ] && [ -f "$(dirname "$file")/$target" ]; then
          target_layer=$(layer_of "$(realpath --relative-to=. "$(dirname "$file")/$target")")
        fi
        # Anything else is generated at build time (velt_release.h, Wayland protocol
        # headers) or external, not a layer's.
        if [ -n "$target_layer" ] && [[ $allowed != *" $target_layer "* ]]; then
          report "$file:$line" "$include: $layer may include only $(allowed_layers "$layer" | sed 's/ /, /g')"
        elif [ "$layer" = config_app ] && [ "$target_layer" = device ] && [ "$target" != device/keycodes.h ] &&
          [[ $file != config_app/mouse/device_mouse.cpp ]]; then
          report "$file:$line" "$include: VELTPLUS reaches the mouse through config_app/mouse/VeltMouse.h; of device/ only the key code table"
        fi
        ;;
    esac
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) against the layers of docs/ARCHITECTURE.md" >&2
  exit 1
fi
echo "layers clean"
