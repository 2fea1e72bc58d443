#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them: the core, the training
# screen (offscreen), and the real program's start and memory on an X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIRAGES_BUILD_BENCH=ON \
      -DTIRAGES_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench
repeat=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
build-bench/bench/bench_training "${repeat[@]}"
build-bench/bench/bench_screens "${repeat[@]}"
build-bench/bench/bench_reader "${repeat[@]}"
build-bench/bench/bench_lexicon "${repeat[@]}"
build-bench/bench/bench_progress "${repeat[@]}"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash bench/startup.sh build-bench/src/tirages \
  build-bench/bench/bare_launcher 40
# The same start with a training kept for each of the 17 lists.
kept=$(mktemp -d)
build-bench/bench/bench_progress --fill="$kept/tirages.sqlite"
echo "with 17 trainings kept:"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash bench/startup.sh build-bench/src/tirages \
  build-bench/bench/bare_launcher 40 "$kept/tirages.sqlite"
rm -rf "$kept"
# And with a year of answers behind it: 100000 questions remembered.
memory=$(mktemp -d)
build-bench/bench/bench_progress --fill-memory="$memory/tirages.sqlite"
echo "with 100000 questions remembered:"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash bench/startup.sh build-bench/src/tirages \
  build-bench/bench/bare_launcher 40 "$memory/tirages.sqlite"
rm -rf "$memory"
# And with a year of daily use, as the statistics read it.
year=$(mktemp -d)
build-bench/bench/bench_screens --fill-year="$year/tirages.sqlite"
echo "with a year of daily use kept:"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash bench/startup.sh build-bench/src/tirages \
  build-bench/bench/bare_launcher 40 "$year/tirages.sqlite"
rm -rf "$year"
