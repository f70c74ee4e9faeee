#!/bin/bash
# The saver run by the desktop's own screen-saver engines, as an ordinary user (the engines
# run no savers for root): xscreensaver and mate-screensaver activate it on their window, it
# shows its content there, and when the engine deactivates it, it ends with every process of
# its own within a second. A preview in another program's small window shows the content in
# that window only, follows its size and lives through pointer moves and a full-screen copy.
source "$(dirname "$0")/lib.sh"

desktop_user
desktop_bus
saver="$LUMERA_PROGRAM_DIR/Lumera屏保"
mkdir -p "$DESKTOP_HOME/.config/Lumera" "$DESKTOP_HOME/pictures"
settings=$DESKTOP_HOME/.config/Lumera/Korvidesk.ini
printf '[MyDeskTop]\nDownloadPath=%s\n' "$DESKTOP_HOME/pictures" >"$settings"
desktop_owns_home

# Waits until the saver runs on a window the engine named; sets saver_pid.
wait_for_engine_saver() {
    local deadline=$((SECONDS + 30))
    while ((SECONDS < deadline)); do
        for saver_pid in $(desktop_programs_on 'Lumera屏保'); do
            tr '\0' '\n' <"/proc/$saver_pid/environ" 2>/dev/null | grep -q '^XSCREENSAVER_WINDOW=' && return 0
        done
        sleep 0.2
    done
    fail "$1 started no saver on its window"
}
# Red and blue means of a screenshot, or of a part of it (WxH+X+Y).
red_blue() { convert "$E2E_OUTPUT/$1.png" ${2:+-crop "$2"} -format '%[fx:mean.r] %[fx:mean.b]\n' info:; }
warm() { awk -v r="$1" -v b="$2" 'BEGIN { exit !(r > 0.3 && r > b) }'; }
# Waits until the screen (or a part of it) shows the sunset page: warm, more red than blue.
wait_for_sunset() {
    local deadline=$((SECONDS + 60)) r b
    while ((SECONDS < deadline)); do
        screenshot "$1" >/dev/null
        read -r r b < <(red_blue "$1" "${2:-}")
        warm "$r" "$b" && return 0
        sleep 1
    done
    fail "$1: no sunset page in view ($r, $b)"
}
# The engine ends the saver: it and its web-engine processes gone within a second, measured.
expect_saver_gone() {
    local started=$EPOCHREALTIME tree left
    tree="$saver_pid $(descendants "$saver_pid")"
    $2
    while left=$(ps -o pid= -p "${tree// /,}"); do
        awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { exit !(b - a < 1) }' ||
            fail "$1: still running a second after the engine's end: $left"
        sleep 0.05
    done
    awk -v a="$started" -v b="$EPOCHREALTIME" -v w="$1" 'BEGIN { printf "%s: gone in %.2f s\n", w, b - a }'
}

echo "xscreensaver: the sunset page on its window"
cat >"$DESKTOP_HOME/.xscreensaver" <<EOT
mode:		one
selected:	0
lock:		False
fade:		False
unfade:		False
splash:		False
timeout:	1:00:00
programs:	$saver 2 --root \\n
EOT
desktop_owns_home
background as_desktop_user xscreensaver -no-splash
xscreensaver=$LAST_PID
for _ in $(seq 50); do as_desktop_user xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.2; done
as_desktop_user xscreensaver-command -activate >/dev/null
wait_for_engine_saver xscreensaver
wait_for_sunset xscreensaver
xwininfo -root -tree >"$E2E_OUTPUT/windows.txt"
# The saver's window is a child of xscreensaver's, not a top-level window of its own.
python3 - "$E2E_OUTPUT/windows.txt" <<'EOP' || fail "the saver's window is not inside xscreensaver's: $(grep -n 'Lumera屏保\|xscreensaver' "$E2E_OUTPUT/windows.txt")"
import re, sys
depth_of = lambda line: (len(line) - len(line.lstrip())) // 3
stack = []
for line in open(sys.argv[1], encoding="utf-8", errors="replace"):
    if not re.match(r"\s+0x", line):
        continue
    depth = depth_of(line)
    stack = stack[:depth - 1] + [line]
    if '"Lumera屏保"' in line and re.search(r"\d+x\d+\+", line) and "1920x1080" in line:
        sys.exit(0 if any("xscreensaver" in a.lower() for a in stack[:-1]) else 1)
sys.exit(1)
EOP
expect_saver_gone xscreensaver "as_desktop_user xscreensaver-command -deactivate"
stop_tree "$xscreensaver"
wait_for_exit "$xscreensaver" || fail "xscreensaver did not end"

echo "a preview in another program's 400x300 window"
rotation() { sed -n 's/^loadtime=//p' "$settings"; }
printf '[ScreenSave]\nloadtime=1\n' >>"$settings"
background xmessage -name lumera-preview -geometry 400x300+200+150 " "
host=$(wait_for_window '^lumera-preview$' 20) || fail "no preview window"
xdotool mousemove 1500 900
# The clock movie and the photo fade, fitted into it.
convert -size 800x600 gradient:red-yellow "$DESKTOP_HOME/pictures/a.jpg"
desktop_owns_home
colours_in() { convert "$E2E_OUTPUT/$1.png" -crop "$2" -format '%k' info:; }
for mode in 6 7; do
    background as_desktop_user env XSCREENSAVER_WINDOW="$host" "$saver" "$mode"
    pid=$LAST_PID
    deadline=$((SECONDS + 60))
    until screenshot "preview-$mode" >/dev/null && (($(colours_in "preview-$mode" 300x200+200+150) > 100)); do
        ((SECONDS < deadline)) || fail "mode $mode shows nothing in the preview"
        sleep 1
    done
    (($(colours_in "preview-$mode" 1000x600+800+400) == 1)) || fail "mode $mode draws outside the preview"
    # The movie's working copy goes with the end the engine sends, as with a key.
    copy=$(find "$DESKTOP_HOME" "$LUMERA_PROGRAM_DIR" -name dong.swf)
    [[ $mode != 6 || -n $copy ]] || fail "mode 6 plays no working copy"
    stop_tree "$pid"
    wait_for_exit "$pid" || fail "mode $mode did not end on SIGTERM"
    [[ -z $(find "$DESKTOP_HOME" "$LUMERA_PROGRAM_DIR" -name dong.swf) ]] || fail "mode $mode left $copy after SIGTERM"
done

# Without a number: what the rotation gives next (the page, mode 2), leaving it where it is.
background as_desktop_user env XSCREENSAVER_WINDOW="$host" "$saver"
saver_pid=$LAST_PID
wait_for_sunset preview 400x300+200+150
read -r r b < <(red_blue preview 600x400+900+500)
warm "$r" "$b" && fail "the preview draws outside its window"
[[ $(rotation) == 1 ]] || fail "the preview moved the rotation on to $(rotation)"
xdotool mousemove 1400 800 sleep 1 mousemove 1401 800 key space
sleep 2
kill -0 "$saver_pid" 2>/dev/null || fail "a pointer move or key elsewhere ended the preview"
xdotool windowsize "$host" 300 200
sleep 2
ours=$(xdotool search --name '^Lumera屏保$' | while read -r w; do
    xwininfo -id "$w" | grep -q 'Width: 300' && echo "$w"; done | head -1)
[[ -n $ours ]] || fail "the preview did not follow its window to 300x200"

echo "a full-screen copy beside the preview"
background as_desktop_user "$saver" 7
full=$LAST_PID
wait_for_window '^Lumera屏保$' 30 >/dev/null
sleep 5
kill -0 "$full" 2>/dev/null || fail "the preview kept the full-screen saver from running"
xdotool key space
wait_for_exit "$full" 20 || fail "the full-screen copy did not end on a key"
kill -0 "$saver_pid" 2>/dev/null || fail "the preview ended with the full-screen copy"
expect_saver_gone "the preview" "kill -TERM $saver_pid"
[[ $(rotation) == 1 ]] || fail "the rotation moved on to $(rotation)"

echo "two screens: a saver on each, the rotation moved on once"
start_virtual_display -screen 0 800x600x24 -screen 1 800x600x24 || fail "no second display"
E2E_PIDS+=("$VIRTUAL_DISPLAY_PID")
number=${VIRTUAL_DISPLAY#:}
if ((EUID == 0)); then DISPLAY=:$number xhost "+si:localuser:$DESKTOP_USER" >/dev/null; fi
sed -i 's/^\(programs:\t\).*/\1'"${saver//\//\\/}"' --root \\n/' "$DESKTOP_HOME/.xscreensaver"
DISPLAY=:$number background as_desktop_user xscreensaver -no-splash
xscreensaver=$LAST_PID
for _ in $(seq 50); do DISPLAY=:$number as_desktop_user xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.2; done
DISPLAY=:$number as_desktop_user xscreensaver-command -activate >/dev/null
# The savers on that display, one a line with the screen their display names.
savers_there() {
    local pid
    for pid in $(desktop_programs_on 'Lumera屏保' ":$number"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -x "DISPLAY=:$number\(\.[0-9]\)\?" || true
    done
}
deadline=$((SECONDS + 30))
until [[ $(savers_there | sort -u | wc -l) == 2 ]]; do
    ((SECONDS < deadline)) || fail "xscreensaver started savers for $(savers_there | sort -u | tr '\n' ' ')"
    sleep 0.2
done
for screen in 0 1; do
    deadline=$((SECONDS + 60))
    until import -display ":$number.$screen" -window root "$E2E_OUTPUT/screen-$screen.png" &&
        read -r r b < <(red_blue "screen-$screen") && warm "$r" "$b"; do
        ((SECONDS < deadline)) || fail "screen $screen shows no page ($r, $b)"
        sleep 1
    done
done
[[ $(rotation) == 2 ]] || fail "two screens moved the rotation from 1 to $(rotation)"
DISPLAY=:$number as_desktop_user xscreensaver-command -deactivate >/dev/null
deadline=$((SECONDS + 10))
while [[ -n $(savers_there) ]]; do
    ((SECONDS < deadline)) || fail "the savers of the two screens still run"
    sleep 0.2
done
stop_tree "$xscreensaver"

echo "1 passed, 0 failed"
