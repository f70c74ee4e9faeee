#!/bin/bash
# Set-up, build, and run every test: the fuzzers for a bounded time, the test suite (with a
# virtual display when there is none), the test suite again built with the sanitizers, then
# the set-up, build and test suite in a root of the other Debian release (12 or 13). Each stage
# says how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
stage() {
    local name=$1 begun=$SECONDS
    shift
    "$@"
    echo "== $name: $((SECONDS - begun)) s (whole run so far: $((SECONDS - started)) s)"
}
stage set-up scripts/setup.sh
# The other release's root is made and its packages installed while this machine builds: that
# waits mostly on the archive and the disk. Its own build and tests come last.
other_log=$(mktemp)
trap 'rm -f "$other_log"' EXIT
scripts/test-on-debian.sh prepare other >"$other_log" 2>&1 &
other_prepared=$!
stage build scripts/build.sh
stage fuzzing scripts/fuzz.sh
stage tests scripts/with-display.sh scripts/ctest.sh
# The load test stays out of the sanitizer run: its memory and answer-time bounds are set for
# a normal build, and the sanitizers' quarantine and shadow memory make its figures meaningless.
# So do the runs through the desktop's screen-saver engines, sway and the idle starter, and
# Korvid's under sway, which mostly wait on other programs: their own code runs there in the
# unit tests. The package's install into this machine tests the package, not the code.
stage sanitizers scripts/sanitize.sh -LE load \
    -E 'saver_(engine|idle|install)_e2e|korvid_(wayland|xscreensaver|mate)_e2e|package_install_e2e'
begun=$SECONDS
if ! wait "$other_prepared"; then
    tail -40 "$other_log"
    echo "the root of the other Debian release could not be made" >&2
    exit 1
fi
echo "== other release's root: $(tail -1 "$other_log"); waited $((SECONDS - begun)) s for it"
stage "other release" scripts/test-on-debian.sh other
