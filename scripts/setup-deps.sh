#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, and any named as
# arguments, only those missing.
# As root it runs apt-get itself; otherwise it uses sudo when there is one, or prints
# the command to run.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev libhidapi-dev libplist-dev libplist++-dev
  # recording on Wayland: the keyboard-shortcuts-inhibit protocol through Qt's Wayland
  # client extensions
  qt6-base-private-dev qt6-wayland-dev qt6-wayland-dev-tools wayland-protocols libwayland-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth xdotool
  # end-to-end tests: an accessibility client, its bus, and screenshots
  python3-pyatspi at-spi2-core dbus dbus-x11 imagemagick
  # the same under headless Wayland compositors: weston, and sway for the protocols
  # weston does not offer (keyboard-shortcuts-inhibit)
  weston sway qt6-wayland wayland-utils
)

# Callers that need more (scripts/package.sh) name the extra packages as arguments.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt=(apt-get)
elif command -v sudo >/dev/null 2>&1; then
  apt=(sudo apt-get)
else
  echo "Not root and no sudo: run as root: apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${apt[@]}" update -q
"${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
