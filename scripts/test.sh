#!/usr/bin/env bash
# Installs what is missing, then runs every test:
#   1. the whole suite on a normal build (warnings are errors): core tests
#      headless, widget tests offscreen and on an X server (Xvfb), the real
#      program end to end, the Debian package, the list builder;
#   2. the suite again built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the list reader under libFuzzer for a bounded time;
#   4. where Qt for Windows was built once, the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh

echo "== Tests"
bash scripts/build.sh -DTIRAGES_BUILD_TESTS=ON -DTIRAGES_WERROR=ON
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 300)

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIRAGES_SANITIZE=ON \
      -DTIRAGES_WERROR=ON >/dev/null
cmake --build build-sanitize --parallel "$(nproc)"
(
  cd build-sanitize
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # The package and the list builder hold nothing the sanitizers look at.
  ctest --output-on-failure --parallel "$(nproc)" --timeout 600 \
        -E '^(e2e_debian_package|listbuilder|shipped_lists_rebuild_identically)$'
)

echo "== Fuzzing the list reader"
bash scripts/fuzz.sh

# Windows, under Wine: only where scripts/windows.sh has built Qt for Windows
# once (about an hour); a fresh machine does not spend that hour here.
if [ -f "${TIRAGES_CACHE:-$HOME/.cache/tirages}/qt-6.4.2-mingw64/.built" ]; then
  echo "== Windows: the installer, the tests under Wine"
  bash scripts/windows.sh
else
  echo "== Windows: skipped, Qt for Windows is not built here (bash scripts/windows.sh builds it once)"
fi
