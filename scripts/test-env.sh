#!/bin/bash
# Runs one test program with a private HOME and XDG folders, so no test can see or change
# the real user's settings, autostart entries or data. Mode: plain | offscreen | display.
set -e
mode=$1
shift
scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumera-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
export XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/runtime
# A locale that is not Chinese, on every machine: what the programs write the Chinese way
# (dates, Qt's own texts) must not come from the system's locale.
export LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-background-networking --disable-component-update --no-first-run --disable-sync --disable-gpu"
case $mode in
plain | offscreen) export QT_QPA_PLATFORM=offscreen ;;
display)
    # A virtual X server of the test's own, so that tests can run side by side, and none of
    # them sees the display of the desktop it was started from.
    export QT_QPA_PLATFORM=xcb XAUTHORITY=$scratch/Xauthority
    source "$(dirname "$0")/virtual-display.sh"
    start_virtual_display -screen 0 1920x1080x24
    export DISPLAY=$VIRTUAL_DISPLAY
    trap 'kill $VIRTUAL_DISPLAY_PID 2>/dev/null; wait $VIRTUAL_DISPLAY_PID 2>/dev/null; rm -rf "$scratch"' EXIT
    ;;
esac
# A private session bus, so nothing reaches the user's real desktop services.
set +e
if command -v dbus-run-session >/dev/null; then
    dbus-run-session -- "$@"
else
    "$@"
fi
status=$?
exit $status
