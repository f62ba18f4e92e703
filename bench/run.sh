#!/usr/bin/env bash
# Builds the benchmarks in an optimised native build and runs them, by default 15 repetitions in
# random order, reporting mean, median and least time. Arguments replace those defaults.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORIX_TESTS=OFF -DSORIX_BENCH=ON >/dev/null
cmake --build build/bench --target benchmarks >/dev/null
for bench in build/bench/bench/*_bench; do
  echo "== $(basename "$bench")"
  if [[ $# -gt 0 ]]; then
    "$bench" "$@"
  else
    "$bench" --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true \
      --benchmark_report_aggregates_only=true
  fi
done
