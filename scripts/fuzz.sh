#!/usr/bin/env bash
# Runs the libFuzzer targets of fuzz/ for a while: scripts/fuzz.sh [TARGET] [SECONDS]
# TARGET is one of the names in fuzz/corpus/ (all of them when left out or "all");
# SECONDS per target, 60 by default. Builds them with clang in build-fuzz/ (the folder
# can be changed with VELT_FUZZ_BUILD). Each run starts from a scratch copy of the seed
# corpus, so the seeds in the tree stay as they are; what the run adds and any crash
# (crash-*, with the input that caused it) stay in build-fuzz/fuzz-runs/TARGET/.
# Exits non-zero when a target finds a fault.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELT_FUZZ_BUILD:-$root/build-fuzz}
target=${1:-all}
seconds=${2:-60}
jobs=${VELT_FUZZ_JOBS:-2}

if [ "$target" = all ]; then
  targets=$(cd "$root/fuzz/corpus" && ls)
else
  if [ ! -d "$root/fuzz/corpus/$target" ]; then
    echo "unknown target $target; one of: $(cd "$root/fuzz/corpus" && echo *)" >&2
    exit 2
  fi
  targets=$target
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELT_FUZZ=ON -DVELT_GUI=OFF -DVELT_BENCH=OFF
fi
# shellcheck disable=SC2086
ninja -C "$build" -j "$jobs" $targets

failed=0
for t in $targets; do
  run="$build/fuzz-runs/$t"
  rm -rf "$run"
  mkdir -p "$run"
  cp -r "$root/fuzz/corpus/$t" "$run/corpus"
  echo "== $t: $seconds s"
  if ! (cd "$run" && "$build/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$run/" corpus 2>"$run/log"); then
    failed=1
    echo "$t found a fault; see $run/log and $run/crash-*" >&2
  fi
  grep -E 'DONE|stat::number_of_executed_units|stat::average_exec_per_sec' "$run/log" || true
done
exit "$failed"
