#!/bin/bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (or
# $LUMERA_ASAN_BUILD_DIR) and runs the whole test suite there. Any report fails the run: the
# undefined-behaviour checks stop at the first finding, and leaks count, apart from those of
# the system libraries listed in tests/sanitizers/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LUMERA_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$build" -G Ninja -DLUMERA_SANITIZE=ON -DLUMERA_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build"
supp=$PWD/tests/sanitizers
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_odr_violation=0:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
LUMERA_BUILD_DIR=$build exec scripts/with-display.sh scripts/ctest.sh "$@"
