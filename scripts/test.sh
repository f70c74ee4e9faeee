#!/bin/bash
# Set-up, build, and run every test: the fuzzers for a bounded time, then the test suite
# (with a virtual display when there is none).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/fuzz.sh
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" scripts/ctest.sh
fi
exec scripts/ctest.sh
