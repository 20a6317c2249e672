#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full build (each of its
# tests with a time limit, scripts/check-test-timeouts.sh), a short soak
# against the emulated mouse, then the non-GUI layers again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the threaded tests under ThreadSanitizer, the formatting
# and layer checks, then the Debian package: built and checked, installed, run and purged
# (scripts/package.sh --install-check). Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup-deps.sh"

# Qt wants a private runtime folder; root has none by default.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d /tmp/velt-runtime.XXXXXX)
  chmod 700 "$XDG_RUNTIME_DIR"
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

jobs=$(nproc)

echo "== build"
"$root/scripts/build.sh" "$root/build"
echo "== tests"
"$root/scripts/check-test-timeouts.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
echo "== short soak (fault-injected applies, then three programs on one mouse)"
"$root/scripts/soak.sh" --veltctl "$root/build/cli/veltctl" short
"$root/scripts/soak.sh" --veltctl "$root/build/cli/veltctl" update 50

echo "== sanitizer build (non-GUI layers)"
"$root/scripts/build.sh" "$root/build-asan" -DVELT_GUI=OFF -DVELT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
echo "== sanitizer tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

echo "== thread sanitizer build (threaded tests)"
cmake -S "$root" -B "$root/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELT_GUI=OFF \
  -DVELT_TSAN=ON -DVELT_BENCH=OFF >/dev/null
cmake --build "$root/build-tsan" --target base_tests updater_tests config_app_worker_tests
echo "== thread sanitizer tests"
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/tests/base/base_tests"
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/tests/updater/updater_tests"
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/tests/config_app/config_app_worker_tests"

echo "== format"
"$root/scripts/check-format.sh"
echo "== layers"
"$root/scripts/check-layers.sh"

echo "== Debian package (build, lintian, desktop-file-validate, appstreamcli; install, run, purge)"
"$root/scripts/package.sh" --install-check
