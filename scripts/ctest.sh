#!/bin/bash
# Runs the test suite of build/ (or $LUMERA_BUILD_DIR) and prints the count that ran.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${LUMERA_BUILD_DIR:-build}
ctest --test-dir "$build" --output-on-failure "$@"
