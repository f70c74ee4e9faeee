#!/bin/bash
# Set-up, build, and run every test. Without a display the tests get a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" scripts/ctest.sh
fi
exec scripts/ctest.sh
