#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: once as built normally, once more under
# AddressSanitizer and UndefinedBehaviorSanitizer, after a short run of every fuzz target (both
# skipped with VELOMIRA_QUICK=1).
# Tests start the real components they need themselves (Xvfb, D-Bus, tray hosts).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test

bash scripts/build.sh
(cd build && ctest --output-on-failure -j2 --timeout 300)

if [ "${VELOMIRA_QUICK:-0}" != 1 ]; then
    bash scripts/fuzz.sh 15
    BUILD_DIR=build-asan CMAKE_ARGS="-DVELOMIRA_SANITIZE=ON -DVELOMIRA_BENCH=OFF" bash scripts/build.sh
    # intercept_tls_get_addr=0: this LeakSanitizer misreads glibc 2.36's dynamic TLS blocks (a range
    # such as 0x2c9-0x8000013cb) in some test processes and crashes scanning them at exit.
    export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:intercept_tls_get_addr=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
    (cd build-asan && ctest --output-on-failure -j2 --timeout 600)
fi
