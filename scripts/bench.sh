#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in a Release build (build-bench/) and
# runs every benchmark binary: the console table on standard output, and one JSON file
# per binary in build-bench/bench-results/. Arguments go to every binary, e.g.
#   scripts/bench.sh --benchmark_filter=Profile --benchmark_repetitions=10
# Exits non-zero when a build fails or a benchmark reports an error.
# CMAKE_BUILD_PARALLEL_LEVEL limits the build's jobs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup-deps.sh"

# Qt wants a private runtime folder; root has none by default.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d /tmp/velt-runtime.XXXXXX)
  export XDG_RUNTIME_DIR
  chmod 700 "$XDG_RUNTIME_DIR"
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The benchmarks set up their own emulated mouse; faults from outside would skew them.
unset VELT_EMULATE_FAULTS VELT_WIRE_LOG

dir=$root/build-bench
results=$dir/bench-results

echo "== build (Release)"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELT_BENCH=ON >/dev/null
cmake --build "$dir" --target velt_benchmarks

mkdir -p "$results"
failed=0
while IFS= read -r binary; do
  [ -n "$binary" ] || continue
  name=$(basename "$binary")
  echo "== $name"
  "$binary" --benchmark_repetitions=5 --benchmark_display_aggregates_only=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json "$@"
  if grep -q '"error_occurred": true' "$results/$name.json"; then
    echo "$name: a benchmark reported an error (see above)" >&2
    failed=1
  fi
done <"$dir/bench/benchmarks.txt"

echo "== results in $results"
exit "$failed"
