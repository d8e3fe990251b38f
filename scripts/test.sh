#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
bash scripts/build.sh
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j2 --timeout 300
