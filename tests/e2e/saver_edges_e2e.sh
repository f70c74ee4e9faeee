#!/bin/bash
# The saver where it meets a real display. The real pointer moved by one pixel ends it and is
# shown again; a pointer resting in screen column 0 that slides along its row has its column
# recorded and the saver stays; a second copy started while one runs ends at once and leaves
# the first one running alone; under a window manager each run plays one movie.
source "$(dirname "$0")/lib.sh"

saver="$LUMERA_PROGRAM_DIR/Lumera屏保"
mkdir -p "$XDG_CONFIG_HOME/Lumera" "$HOME/pictures"
printf '[MyDeskTop]\nDownloadPath=%s\n' "$HOME/pictures" >"$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"

# A client that stays connected: a virtual X server that loses its last client starts afresh
# with the pointer in the middle, which would undo every move made between two programs.
background xprop -root -spy >/dev/null

pointer_shown() { python3 "$LUMERA_SOURCE_DIR/tests/e2e/pointer_shown.py" >/dev/null; }

# Starts the saver with the pointer at (x, y), by default in the photo mode on an empty folder
# (a dark screen, nothing to load), and waits until it has taken over the screen and hidden
# the pointer.
start_saver() {
    xdotool mousemove "$1" "$2"
    pointer_shown || fail "the pointer is hidden before the saver starts"
    background "$saver" "${3:-7}"
    SAVER_PID=$LAST_PID
    wait_for_window "Lumera屏保" 60 >/dev/null || fail "no saver window"
    local deadline=$((SECONDS + 30))
    while pointer_shown; do
        ((SECONDS < deadline)) || fail "the saver did not hide the pointer"
        sleep 0.3
    done
    # The mouse test runs every 100 ms; give the first one ample time to record the position.
    sleep 2
}

# The saver ends by itself, and the pointer is back.
expect_end() {
    wait_for_exit "$SAVER_PID" 20 || fail "$1: the saver is still running"
    pointer_shown || fail "$1: the pointer is still hidden"
}

echo "column 0: sliding along the row is recorded, a change of row ends the saver"
start_saver 0 500
xdotool mousemove 300 500
sleep 2
kill -0 "$SAVER_PID" 2>/dev/null || fail "a slide out of column 0 ended the saver"
pointer_shown && fail "the pointer came back while the saver runs"
xdotool mousemove 300 501
expect_end "one row down"

echo "a second copy ends at once; then one pixel ends the first"
start_saver 960 540
background "$saver" 7
second=$LAST_PID
wait_for_exit "$second" 60 || fail "the second copy is still running"
kill -0 "$SAVER_PID" 2>/dev/null || fail "the first copy ended with the second"
windows=$(xdotool search --onlyvisible --name "Lumera屏保" | wc -l)
((windows == 1)) || fail "$windows saver windows"
pointer_shown && fail "the second copy showed the pointer"
screenshot running
xdotool mousemove_relative 1 0
expect_end "one pixel to the right"
screenshot ended

echo "under a window manager: however it reports the activation, one movie a run"
background openbox
wm=$LAST_PID
sleep 1
for run in 1 2; do
    start_saver 960 540 6
    sleep 3 # past the saver's own one-second fallback
    xdotool key space
    expect_end "a key in run $run"
    grep -qx "loadswf_clock=$run" "$XDG_CONFIG_HOME/Lumera/Korvidesk.ini" ||
        fail "run $run: $(grep loadswf_clock "$XDG_CONFIG_HOME/Lumera/Korvidesk.ini")"
done
kill "$wm"

echo "1 passed, 0 failed"
