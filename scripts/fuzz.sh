#!/usr/bin/env bash
# Builds the list reader's libFuzzer target with clang and runs it for the
# given number of seconds (60 at most), seeded with the list fixtures and with
# the inputs that once found a fault (tests/fuzz/seeds). Fails on a crash, a
# leak, a sanitizer report or an input slower than 10 s; the input that failed
# is written into build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ "$seconds" -le 60 ] || seconds=60
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTIRAGES_FUZZ=ON -DTIRAGES_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target fuzz_listfile
corpus=build-fuzz/corpus
mkdir -p "$corpus"
build-fuzz/tests/fuzz/fuzz_listfile -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/ "$corpus" tests/data tests/fuzz/seeds 2>&1 | tail -n 8
echo "fuzzing: no crash in $seconds s"
