#!/usr/bin/env bash
# Builds the Debian package into dist/ and checks it: scripts/package.sh [--install-check]
#
# Installs what building and checking a package needs (as scripts/setup-deps.sh does:
# apt-get as root, sudo otherwise), builds a copy of the source tree in dist/build/
# with dpkg-buildpackage (debian/, dh with CMake and Ninja; the tests are left to
# scripts/test.sh), writes dist/velt_VERSION_ARCH.deb, and checks it: lintian with no
# error and no warning, desktop-file-validate on the desktop entries and the autostart
# entry, appstreamcli validate --no-net on the metainfo. The version is the project's
# (project(VERSION) in CMakeLists.txt), which the package's changelog is written from.
# VELT_PACKAGE_JOBS sets the build's jobs (default: the number of processors).
# The copy is the tracked files and the untracked ones git does not ignore in a git work
# tree; in a plain tree (a release archive, no .git) it is every file but .git, build*/,
# dist/ and what .gitignore names, so git is needed only where the tree has it.
#
# --install-check (what CI runs) then installs the package with apt, runs the installed
# programs from /usr/bin (veltctl --emulate DIR info, each program's --version), checks
# that the files are where a desktop looks for them, purges the package and checks that
# nothing of it is left. It refuses to run where velt is installed already, which it
# would remove.
# Exits non-zero when the build or a check fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
install_check=0
case "${1:-}" in
  --install-check) install_check=1 ;;
  "") ;;
  *) echo "usage: scripts/package.sh [--install-check]" >&2; exit 2 ;;
esac
if [ "$install_check" = 1 ] && dpkg-query -W -f='${Status}' velt 2>/dev/null | grep -q 'installed'; then
  echo "velt is installed on this machine; --install-check would remove it" >&2
  exit 2
fi

# What building and checking a package needs, beside the build itself.
"$root/scripts/setup-deps.sh" debhelper dpkg-dev lintian desktop-file-utils appstream

version=$(sed -n 's/^project(VELT VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
released=$(sed -n 's/^set(VELT_RELEASE_DATE \([0-9-]*\))/\1/p' CMakeLists.txt)
[ -n "$version" ] && [ -n "$released" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="velt_${version}_${arch}.deb"

# The files the package is built from, relative to the tree, each ended by a NUL. git
# lists them where the tree is the top of a git work tree. Elsewhere find leaves out .git,
# the build folders, dist/ and what the top .gitignore names, its lines read as git reads
# them: blank lines, # comments and trailing spaces skipped, a trailing / for folders
# only, another / for a path from the top, else a name at any depth (find's * also
# matches a /). A line that keeps a file (!...) is refused rather than read wrong.
source_files() {
  local prefix
  if prefix=$(git rev-parse --show-prefix 2>/dev/null) && [ -z "$prefix" ]; then
    git ls-files -z --cached --others --exclude-standard
    return
  fi
  local left_out=(-path ./.git -o -type d -path './build*' -o -path ./dist) line pattern
  if [ -f .gitignore ]; then
    while IFS= read -r line || [ -n "$line" ]; do
      line=${line%$'\r'}
      line=${line%"${line##*[! ]}"}
      case $line in
        "" | "#"*) continue ;;
        "!"*) echo ".gitignore: \"$line\" keeps a file, which this copy does not read" >&2; return 1 ;;
      esac
      pattern=${line%/}
      left_out+=(-o '(')
      [ "$pattern" = "$line" ] || left_out+=(-type d)
      case $pattern in
        */*) left_out+=(-path "./${pattern#/}" ')') ;;
        *) left_out+=(-name "$pattern" ')') ;;
      esac
    done <.gitignore
  fi
  find . '(' "${left_out[@]}" ')' -prune -o ! -type d -printf '%P\0'
}

dist=$root/dist
build=$dist/build
src=$build/velt-$version
rm -rf "$build"
mkdir -p "$src"
echo "== source copy in $src"
source_files |
  while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  tar --null -T - -cf - | tar -xf - -C "$src"
# The changelog names the project's version on the day it was released.
cat >"$src/debian/changelog" <<CHANGELOG
velt ($version) unstable; urgency=medium

  * VELT $version.

 -- VELT developers <velt@corvel.com>  $(LC_ALL=C date -u -R -d "$released 12:00")
CHANGELOG

echo "== dpkg-buildpackage ($deb)"
start=$(date +%s)
(cd "$src" && DEB_BUILD_OPTIONS="parallel=${VELT_PACKAGE_JOBS:-$(nproc)} noddebs" \
  dpkg-buildpackage -b -us -uc) >"$build/build.log" 2>&1 || {
  tail -n 40 "$build/build.log" >&2
  echo "package build failed; the whole log is $build/build.log" >&2
  exit 1
}
echo "built in $(($(date +%s) - start)) s (log: $build/build.log)"
rm -f "$dist"/velt_*.deb
mv "$build/$deb" "$dist/"
rm -rf "$src"  # about 300 MB with its build folder; kept only when the build fails

echo "== lintian"
lintian --fail-on error,warning --display-level '>=pedantic' "$dist/$deb"

echo "== desktop entries and metainfo"
contents=$build/contents
dpkg-deb -x "$dist/$deb" "$contents"
for entry in "$contents"/usr/share/applications/*.desktop "$contents"/etc/xdg/autostart/*.desktop; do
  desktop-file-validate "$entry"
  echo "valid: ${entry#"$contents"}"
done
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

echo "== $dist/$deb: $(du -k "$dist/$deb" | cut -f1) KB"

[ "$install_check" = 1 ] || exit 0

echo "== install with apt"
if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q "$dist/$deb" >/dev/null
files=$(dpkg-query -L velt)
emulated=$(mktemp -d "${TMPDIR:-/tmp}/velt-package.XXXXXX")
trap 'rm -rf "$emulated"' EXIT
for wanted in /usr/bin/VELTPLUS /usr/bin/VELTUpdate /usr/bin/veltctl \
  /usr/lib/udev/rules.d/70-velt.rules /etc/xdg/autostart/com.corvel.VELTPLUS.desktop \
  /usr/share/applications/com.corvel.VELTPLUS.desktop \
  /usr/share/applications/com.corvel.VELTUpdate.desktop \
  /usr/share/metainfo/com.corvel.VELTPLUS.metainfo.xml \
  /usr/share/icons/hicolor/256x256/apps/com.corvel.VELTPLUS.png \
  /usr/share/icons/hicolor/scalable/apps/com.corvel.VELTPLUS.svg \
  /usr/share/man/man1/veltctl.1.gz /usr/share/bash-completion/completions/veltctl \
  /usr/share/velt/firmware; do
  [ -e "$wanted" ] || { echo "installed package lacks $wanted" >&2; exit 1; }
done
info=$(/usr/bin/veltctl --emulate "$emulated/mouse" info)
[ "$info" = $'firmware 0.46\nprofile 0' ] || { echo "installed veltctl info: $info" >&2; exit 1; }
for program in veltctl VELTPLUS VELTUpdate; do
  echo "/usr/bin/$program --version: $("/usr/bin/$program" --version)"
done
[ "$(/usr/bin/veltctl --version)" = "veltctl $version" ]
[ "$(/usr/bin/VELTPLUS --version)" = "VELTPLUS $version" ]
man -w veltctl >/dev/null

echo "== purge"
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get purge -y -q velt >/dev/null
left=""
while IFS= read -r path; do
  # Folders the package shares with others (/usr/bin, /etc/xdg, ...) stay.
  if [ -e "$path" ] && ! [ -d "$path" ]; then left+=" $path"; fi
done <<<"$files"
[ ! -d /usr/share/velt ] || left+=" /usr/share/velt"
[ -z "$left" ] || { echo "left after purge:$left" >&2; exit 1; }
echo "installed, run and purged; nothing left"
