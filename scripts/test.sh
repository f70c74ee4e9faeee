#!/bin/bash
# Set-up, build, and run every test: the fuzzers for a bounded time, the test suite (with a
# virtual display when there is none), the test suite again built with the sanitizers, then
# the set-up, build and test suite in a root of the other Debian release (12 or 13).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/fuzz.sh
scripts/with-display.sh scripts/ctest.sh
# The load test stays out of the sanitizer run: its memory and answer-time bounds are set for
# a normal build, and the sanitizers' quarantine and shadow memory make its figures meaningless.
# So do the runs through the desktop's screen-saver engines, sway and the idle starter, and
# Korvid's under sway, which mostly wait on other programs: their own code runs there in the
# unit tests. The package's install into this machine tests the package, not the code.
scripts/sanitize.sh -LE load -E 'saver_(engine|idle|install)_e2e|korvid_wayland_e2e|package_install_e2e'
scripts/test-on-debian.sh other
