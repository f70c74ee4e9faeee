#!/bin/bash
# The saver where it meets a real display. The real pointer moved by one pixel ends it and is
# shown again; a pointer resting in screen column 0 that slides along its row has its column
# recorded and the saver stays; a second copy started while one runs ends at once and leaves
# the first one running alone; under a window manager each run plays one movie, and "-root"
# typed into a terminal is a start by hand that a key or a move ends. A window named that is
# none (destroyed, a pixmap, garbage) ends it at once with a message; started into a window, it
# ends with every process of its own within a second of SIGTERM, SIGINT or SIGHUP, whenever in
# its first seconds the signal comes.
source "$(dirname "$0")/lib.sh"

saver="$LUMERA_PROGRAM_DIR/Lumera屏保"
mkdir -p "$XDG_CONFIG_HOME/Lumera" "$HOME/pictures"
printf '[MyDeskTop]\nDownloadPath=%s\n' "$HOME/pictures" >"$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"

# A client that stays connected: a virtual X server that loses its last client starts afresh
# with the pointer in the middle, which would undo every move made between two programs.
background xprop -root -spy >/dev/null

pointer_shown() { python3 "$LUMERA_SOURCE_DIR/tests/e2e/pointer_shown.py" >/dev/null; }

# Starts the saver with the pointer at (x, y) and the arguments given after them, by default
# the photo mode on an empty folder (a dark screen, nothing to load), and waits until it has
# taken over the screen and hidden the pointer.
start_saver() {
    local arguments=("${@:3}")
    ((${#arguments[@]})) || arguments=(7)
    xdotool mousemove "$1" "$2"
    pointer_shown || fail "the pointer is hidden before the saver starts"
    background "$saver" "${arguments[@]}"
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

echo "-root copied from an engine's settings into a terminal: a start by hand"
start_saver 960 540 -root 7
xwininfo -id "$(xdotool search --onlyvisible --name "Lumera屏保" | head -1)" |
    grep -q 'Override Redirect State: no' || fail "-root kept the saver out of the window manager's hands"
xdotool key space
expect_end "a key after -root"
start_saver 960 540 -root 7
xdotool mousemove_relative 0 1
expect_end "a pointer move after -root"
kill "$wm"

echo "a window named that is none: one line on stderr and a failure, nothing left running"
background xmessage -name lumera-gone -geometry 300x200+10+10 " "
gone=$(wait_for_window '^lumera-gone$' 20) || fail "no window to destroy"
stop_tree "$LAST_PID"
# A pixmap, which answers the geometry question as a window does.
python3 - >"$E2E_OUTPUT/pixmap.txt" <<'EOP' &
import ctypes, ctypes.util, time
x = ctypes.CDLL(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XCreatePixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint]
x.XCreatePixmap.restype = ctypes.c_ulong
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
display = x.XOpenDisplay(None)
pixmap = x.XCreatePixmap(display, x.XDefaultRootWindow(display), 64, 64, 24)
x.XSync(display, 0)
print(hex(pixmap), flush=True)
time.sleep(600)
EOP
E2E_PIDS+=($!)
for _ in $(seq 300); do [[ -s $E2E_OUTPUT/pixmap.txt ]] && break; sleep 0.1; done
pixmap=$(cat "$E2E_OUTPUT/pixmap.txt")
[[ -n $pixmap ]] || fail "no pixmap made"
wait_for_exit "$LAST_PID" 10 || fail "the window to destroy is still there"
for window in "$gone" "$pixmap" junk; do
    status=0
    env XSCREENSAVER_WINDOW="$window" timeout 30 "$saver" 7 2>"$E2E_OUTPUT/none.txt" || status=$?
    message=$(grep -c '^Lumera屏保：' "$E2E_OUTPUT/none.txt" || true)
    ((status == 1 && message == 1)) ||
        fail "XSCREENSAVER_WINDOW=$window: status $status, stderr: $(cat "$E2E_OUTPUT/none.txt")"
    echo "XSCREENSAVER_WINDOW=$window: $(grep '^Lumera屏保：' "$E2E_OUTPUT/none.txt")"
done

echo "SIGTERM, SIGINT or SIGHUP at any moment of its first seconds in a window ends the saver"
background xmessage -name lumera-host -geometry 1920x1080+0+0 " "
host=$(wait_for_window '^lumera-host$' 20) || fail "no window to start the saver in"
signals=(TERM INT HUP)
modes=(7 2 6)
delays=(0 0.05 0.1 0.2 0.3 0.45 0.6 0.8 1 1.2 1.5 1.8 2.1 2.5 3)
for i in "${!delays[@]}"; do
    # A background command of the shell's would ignore SIGINT from the start.
    background env --default-signal=INT XSCREENSAVER_WINDOW="$host" "$saver" "${modes[i % 3]}"
    sleep "${delays[i]}"
    # From half a second on it has started: each end is one of a saver that runs.
    awk -v d="${delays[i]}" 'BEGIN { exit !(d < 0.5) }' || kill -0 "$LAST_PID" 2>/dev/null ||
        fail "the saver of run $i ended by itself"
    expect_gone "mode ${modes[i % 3]}, SIG${signals[i % 3]} at ${delays[i]} s" \
        "$LAST_PID" kill "-${signals[i % 3]}" "$LAST_PID"
done
# A second signal ends it by the signal's own handling, whatever the first one's end is doing.
# Both wait while the saver is stopped, so that neither can end it before the other comes (two
# of one kind would be one).
two_signals() { kill -STOP "$1" && kill -TERM "$1" && kill -HUP "$1" && kill -CONT "$1"; }
for delay in 0.3 1.5; do
    background env XSCREENSAVER_WINDOW="$host" "$saver" 2
    sleep "$delay"
    expect_gone "SIGTERM and SIGHUP at once at $delay s" "$LAST_PID" two_signals "$LAST_PID"
    status=0
    wait "$LAST_PID" || status=$?
    ((status == 128 + 1 || status == 128 + 15)) ||
        fail "two signals at $delay s: status $status, not the end by the second signal"
done
echo "slowest end after a signal: $GONE_SLOWEST s"

echo "1 passed, 0 failed"
