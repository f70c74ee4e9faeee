#!/bin/bash
# Configures and builds into build/ (or $LUMERA_BUILD_DIR); extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
build=${LUMERA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build"
