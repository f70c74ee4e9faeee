#!/bin/bash
# Set-up, build, and run every test: the fuzzers for a bounded time, the test suite (with a
# virtual display when there is none), then the test suite again built with the sanitizers,
# and last the set-up, build and test suite inside a root of the other Debian release.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/fuzz.sh
scripts/with-display.sh scripts/ctest.sh
scripts/sanitize.sh
release=$(. /etc/os-release && echo "${VERSION_ID%%.*}")
if [[ $release == 13 ]]; then other=12; else other=13; fi
scripts/test-on-debian.sh "$other"
