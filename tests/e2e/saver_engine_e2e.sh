#!/bin/bash
# The saver run by the desktop's own screen-saver engines, as an ordinary user (the engines
# run no savers for root): xscreensaver and mate-screensaver activate it on their window, it
# shows its content there, and when the engine deactivates it, it ends with every process of
# its own within a second, also when that comes in its first seconds. A preview in another
# program's small window shows the content in that window only, follows its size and lives
# through pointer moves and a full-screen copy. On two scaled screens each copy fills its
# engine window exactly. mate-screensaver starts it without the user's folders: it finds
# them all the same.
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
expect_gone xscreensaver "$saver_pid" as_desktop_user xscreensaver-command -deactivate
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
    desktop_background as_desktop_user env XSCREENSAVER_WINDOW="$host" "$saver" "$mode"
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
    # The engine signals the saver alone, and waits for it rather than for a shell around it.
    kill "$pid"
    wait_for_exit "$pid" || fail "mode $mode did not end on SIGTERM"
    [[ -z $(find "$DESKTOP_HOME" "$LUMERA_PROGRAM_DIR" -name dong.swf) ]] || fail "mode $mode left $copy after SIGTERM"
done

# Without a number: what the rotation gives next (the page, mode 2), leaving it where it is.
# The saver itself, so that the signal below reaches it and not the shell around it.
desktop_background as_desktop_user env XSCREENSAVER_WINDOW="$host" "$saver"
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
expect_gone "the preview" "$saver_pid" kill -TERM "$saver_pid"
[[ $(rotation) == 1 ]] || fail "the rotation moved on to $(rotation)"

test_display=$DISPLAY
echo "two scaled screens, at 200 % and 150 %: a saver on each that fills its window, the rotation moved on once"
start_virtual_display -screen 0 800x600x24 -screen 1 800x600x24 || fail "no second display"
E2E_PIDS+=("$VIRTUAL_DISPLAY_PID")
number=${VIRTUAL_DISPLAY#:}
if ((EUID == 0)); then DISPLAY=:$number xhost "+si:localuser:$DESKTOP_USER" >/dev/null; fi
# Each screen's Xft.dpi, where Qt reads its scale.
DISPLAY=:$number.0 xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER $'Xft.dpi:\t192\n'
DISPLAY=:$number.1 xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER $'Xft.dpi:\t144\n'
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
# Our window has the size of xscreensaver's, in the server's pixels, on both screens.
size_of() { xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
fitted=0
for screen in 0 1; do
    export DISPLAY=:$number.$screen
    for ours in $(xdotool search --screen "$screen" --name '^Lumera屏保$'); do
        # Qt's own helper windows stay on the root window.
        parent=$(xwininfo -tree -id "$ours" | grep -v '(the root window)' |
            sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
        [[ -n $parent ]] || continue
        echo "screen $screen: our window $(size_of "$ours") in the engine's $(size_of "$parent")"
        [[ $(size_of "$ours") == "$(size_of "$parent")" ]] || fail "the saver's window does not fit the engine's"
        fitted=$((fitted + 1))
    done
done
export DISPLAY=$test_display
((fitted == 2)) || fail "$fitted saver windows on the two screens"
DISPLAY=:$number as_desktop_user xscreensaver-command -deactivate >/dev/null
deadline=$((SECONDS + 10))
while [[ -n $(savers_there) ]]; do
    ((SECONDS < deadline)) || fail "the savers of the two screens still run"
    sleep 0.2
done
stop_tree "$xscreensaver"

echo "mate-screensaver: themes started with a bare environment, ended at any moment of their first seconds"
# The theme's program in an engine folder of the test's own; the user keeps the settings in a
# folder of their own choosing, which the engine does not hand to its themes.
if mate_engine_folder "$saver" "lumera-saver-$$"; then
    temp_folder themes
    mkdir -p "$themes/applications/screensavers"
    sed "s/^Exec=.*/Exec=lumera-saver-$$/" "$LUMERA_SOURCE_DIR/packaging/screensavers/lumera-saver.desktop" \
        >"$themes/applications/screensavers/lumera-saver.desktop"
    chmod -R a+rX "$themes"
    custom=$DESKTOP_HOME/my-settings
    mkdir -p "$custom/Lumera"
    mv "$settings" "$custom/Lumera/Korvidesk.ini"
    settings=$custom/Lumera/Korvidesk.ini
    before=$(rotation)
    desktop_owns_home
    as_mate() { as_desktop_user env XDG_CONFIG_HOME="$custom" GSETTINGS_BACKEND=keyfile "$@"; }
    as_mate gsettings set org.mate.screensaver lock-enabled false
    as_mate gsettings set org.mate.screensaver mode single
    as_mate gsettings set org.mate.screensaver themes "['screensavers-lumera-saver']"
    background as_mate env XDG_DATA_DIRS="$themes:/usr/share" XDG_CURRENT_DESKTOP=MATE mate-screensaver --no-daemon
    mate=$LAST_PID
    for _ in $(seq 50); do as_mate mate-screensaver-command --query >/dev/null 2>&1 && break; sleep 0.2; done
    # The saver mate-screensaver started from our program copy; other tests may run theirs.
    mate_saver() {
        local pid
        local deadline=$((SECONDS + 30))
        while ((SECONDS < deadline)); do
            for pid in $(pgrep -u "$DESKTOP_USER"); do
                [[ $(readlink "/proc/$pid/exe") == "$LUMERA_PROGRAM_DIR/Lumera屏保" ]] &&
                    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -q '^XSCREENSAVER_WINDOW=' &&
                    echo "$pid" && return 0
            done
            sleep 0.05
        done
        return 1
    }
    runs=0
    for delay in 0 0.1 0.3 0.6 1 1.5 2 3; do
        as_mate mate-screensaver-command --activate >/dev/null
        pid=$(mate_saver) || fail "mate-screensaver started no saver"
        sleep "$delay"
        if ((runs++ == 0)); then
            tr '\0' '\n' <"/proc/$pid/environ" | grep -q '^XDG_CONFIG_HOME=\|^XDG_RUNTIME_DIR=' &&
                fail "mate-screensaver handed its theme the user's folders: nothing left to prove"
        fi
        if [[ $delay == 3 ]]; then
            # Its lock beside those of the copies started by hand, its settings the user's own.
            # (A lock file holds its holder's pid first.)
            head -qn1 "$DESKTOP_RUNTIME"/Lumera-saver-*.lock 2>/dev/null | grep -qx "$pid" ||
                fail "the saver holds no lock in the user's runtime folder"
            wait_until screen_drawn mate-screensaver || fail "nothing drawn into mate-screensaver's window"
        fi
        expect_gone "mate-screensaver's end at $delay s" "$pid" \
            as_mate mate-screensaver-command --deactivate
    done
    [[ $(rotation) != "$before" ]] || fail "the rotation in $settings did not move from $before"
    as_mate mate-screensaver-command --exit >/dev/null 2>&1 || true
    wait_for_exit "$mate" 20 || fail "mate-screensaver did not exit"
    DESKTOP_WRAPPER=()
else
    echo "mate-screensaver: skipped, a private engine folder takes root"
fi
echo "slowest end: $GONE_SLOWEST s"

echo "1 passed, 0 failed"
