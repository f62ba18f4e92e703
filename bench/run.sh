#!/usr/bin/env bash
# Builds the benchmarks in an optimised native build and runs them. Arguments go to every
# benchmark executable (for example --benchmark_repetitions=5).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSORIX_TESTS=OFF -DSORIX_BENCH=ON >/dev/null
cmake --build build/bench --target evaluation_bench >/dev/null
for bench in build/bench/bench/*_bench; do
  echo "== $(basename "$bench")"
  "$bench" "$@"
done
