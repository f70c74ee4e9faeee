#!/bin/bash
# Runs the test suite of build/ (or $LUMERA_BUILD_DIR) and prints the count that ran. Cases run
# side by side, LUMERA_TEST_JOBS at a time (4 unless set): most of them wait on programs and
# timers rather than on the processor, and each has a display, bus and home of its own; the
# few that must run alone say so themselves.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${LUMERA_BUILD_DIR:-build}
ctest --test-dir "$build" --output-on-failure -j "${LUMERA_TEST_JOBS:-4}" "$@"
