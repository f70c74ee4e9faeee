#!/bin/bash
# Set-up, build, and start Korvid from the build tree's program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/bin/Korvid
