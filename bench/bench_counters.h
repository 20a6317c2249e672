#pragma once

// Counters that resource budgets report beside the times, for every benchmark binary
// (no dependency on any layer).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace velt::bench {

// The process's peak resident set so far, in bytes, as the counter "peak_rss" of the
// run: memory budgets read it from the JSON output. The peak covers every benchmark run
// before in the same process; run one alone (--benchmark_filter) for its own figure.
inline void reportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss"] =
      benchmark::Counter(static_cast<double>(usage.ru_maxrss) * 1024.0,
                         benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
}

}  // namespace velt::bench
