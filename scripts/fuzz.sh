#!/usr/bin/env bash
# Builds the list reader's libFuzzer target with clang and runs it for a
# million executions: two jobs side by side, RUNS each (500000 by default),
# seeded with the list files among the fixtures and with the inputs that once
# found a fault (tests/fuzz/seeds), inputs of 4 KiB at most, with the
# dictionary of list-file pieces. Fails on a crash, a leak, a sanitizer report,
# an input slower than 10 s, or fewer executions than asked; the input that
# failed is written into build-fuzz/. Stops after 15 minutes in any case.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-500000}
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTIRAGES_FUZZ=ON -DTIRAGES_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target fuzz_listfile
corpus=build-fuzz/corpus
seeds=build-fuzz/seeds
rm -rf "$seeds" && mkdir -p "$corpus" "$seeds"
cp tests/data/*.txt tests/fuzz/seeds/* "$seeds"/
rm -f build-fuzz/fuzz-*.log
status=0
(cd build-fuzz && tests/fuzz/fuzz_listfile -jobs=2 -workers=2 -runs="$runs" \
    -max_total_time=900 -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 -max_len=4096 \
    -dict=../tests/fuzz/listfile.dict -artifact_prefix=./ corpus seeds >/dev/null 2>&1) \
    || status=$?
executions=0
for log in build-fuzz/fuzz-*.log; do
  tail -n 3 "$log"
  n=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  executions=$((executions + n))
  grep -q 'stat::number_of_executed_units' "$log" || status=1
  if grep -qE 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|runtime error:' "$log"; then
    grep -E 'ERROR:|runtime error:|SUMMARY:' "$log" | head -n 5
    status=1
  fi
done
ls build-fuzz/crash-* build-fuzz/leak-* build-fuzz/timeout-* 2>/dev/null && status=1
if [ "$status" -ne 0 ]; then
  echo "fuzzing: a fault was found (above; the input is in build-fuzz/)"
  exit 1
fi
if [ "$executions" -lt $((2 * runs)) ]; then
  echo "fuzzing: $executions executions, fewer than the $((2 * runs)) asked"
  exit 1
fi
echo "fuzzing: $executions executions, no crash"
