#!/usr/bin/env bash
# Installs what is missing, builds tirages with its tests (warnings are errors)
# and runs every test: core tests headless, widget tests offscreen and on an X
# server (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh -DTIRAGES_BUILD_TESTS=ON -DTIRAGES_WERROR=ON
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
