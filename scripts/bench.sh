#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them (medians of 5 runs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIRAGES_BUILD_BENCH=ON \
      -DTIRAGES_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target bench_training
build-bench/bench/bench_training --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
