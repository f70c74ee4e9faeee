#!/bin/bash
# `Lumera屏保 --idle` on the desktops it reads idleness from. Under X: the saver comes up once
# the idle time is up, ends at a move of the real pointer and comes up again only after a new
# idle period; one starter a session; Korvid in the tray keeps nothing away, a shown main window
# does until it is closed or Korvid is killed, and so does a video player's inhibition through
# org.freedesktop.ScreenSaver, which the starter serves, until the player leaves. Under sway on a
# headless output, as an ordinary user: one starter a session, while the same user's X session
# runs one of its own; the saver comes up full-screen, shows its content, ends at a pointer
# motion and at a key, and stays away while a Korvid main window is shown.
source "$(dirname "$0")/lib.sh"
rm -f "$E2E_OUTPUT/savers"
trap 'xargs -r kill 2>/dev/null <"$E2E_OUTPUT/savers" || true; e2e_cleanup' EXIT

saver="$LUMERA_PROGRAM_DIR/Lumera屏保"
# Six seconds of idleness; the rotation's next mode is the photo fade (on an empty folder: a
# black screen that loads nothing).
saver_settings() {
    local config=$1 next=${2:-7}
    mkdir -p "$config/Lumera" "$(dirname "$config")/pictures"
    printf '[MyDeskTop]\nDownloadPath=%s\n[ScreenSave]\nIdleMinutes=0.1\nloadtime=%s\n' \
        "$(dirname "$config")/pictures" "$((next - 1))" >"$config/Lumera/Korvidesk.ini"
}
screen_saver_active() {
    grep -A5 'Control Panel\\Desktop' "$1/Lumera/registry.hive" 2>/dev/null |
        sed -n 's/^"ScreenSaveActive"="\(.*\)"$/\1/p' | head -1
}
# The lock file of the starter in the runtime folder given on the display given: named, as the
# starter names it, for the display.
idle_lock() {
    echo "$1/Lumera-idle-${2//[^A-Za-z0-9._:-]/_}.lock"
}
# Waits for a file up to ten seconds.
wait_for_file() {
    for _ in $(seq 100); do
        [[ -e $1 ]] && return 0
        sleep 0.1
    done
    return 1
}
# The saver the starter runs, its child; waits for it up to the seconds given.
saver_child() {
    local deadline=$((SECONDS + $2)) pid
    while ((SECONDS < deadline)); do
        pid=$(pgrep -P "$1" 2>/dev/null | head -1 || true)
        if [[ -n $pid ]]; then
            # Ended with the test: a saver left running would hold the test's output open.
            echo "$pid" >>"$E2E_OUTPUT/savers"
            echo "$pid"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# ---- X11 --------------------------------------------------------------------------------

echo "X: the saver after six idle seconds, once a period"
saver_settings "$XDG_CONFIG_HOME"
# A client that stays: a virtual X server that loses its last client starts afresh.
background xprop -root -spy >/dev/null
xdotool mousemove 400 300
background "$saver" --idle
starter=$LAST_PID
start=$SECONDS
wait_for_file "$(idle_lock "$XDG_RUNTIME_DIR" "${WAYLAND_DISPLAY:-$DISPLAY}")" ||
    fail "the idle starter took no lock for its display"
status=0
timeout 20 "$saver" --idle 2>/dev/null || status=$?
((status == 1)) || fail "a second idle starter ended with status $status"
wait_for_window "^Lumera屏保$" 30 >/dev/null || fail "no saver after the idle time"
((SECONDS - start >= 5)) || fail "the saver came after $((SECONDS - start)) s, before the idle time"
run=$(saver_child "$starter" 5) || fail "the saver is not the starter's"
# What the starter serves as org.freedesktop.ScreenSaver tells whether the saver is up.
saver_active() {
    gdbus call --session --dest org.freedesktop.ScreenSaver --object-path /org/freedesktop/ScreenSaver \
        --method org.freedesktop.ScreenSaver.GetActive
}
[[ $(saver_active) == "(true,)" ]] || fail "GetActive denies the saver that runs: $(saver_active 2>&1)"
sleep 2
screenshot x11-saver
xdotool mousemove_relative 1 0
wait_for_exit "$run" 20 || fail "a pointer move did not end the saver"
[[ $(saver_active) == "(false,)" ]] || fail "GetActive tells of a saver that has ended: $(saver_active 2>&1)"
# An active user keeps it away, however long.
for _ in 1 2 3 4 5; do
    sleep 2
    xdotool mousemove_relative -- -1 0
    pgrep -P "$starter" >/dev/null && fail "the saver came back while the user was active"
done
moved=$SECONDS
run=$(saver_child "$starter" 20) || fail "no saver after a new idle period"
((SECONDS - moved >= 5)) || fail "the saver came back $((SECONDS - moved)) s after the last move"
wait_for_window "^Lumera屏保$" 30 >/dev/null || fail "no second saver window"
sleep 2
xdotool key space
wait_for_exit "$run" 20 || fail "a key did not end the saver"
kill "$starter"
wait_for_exit "$starter" || fail "the starter did not end"

echo "X: Korvid in the tray keeps nothing away; a shown main window does, until closed or killed"
vendor_pages
printf '<!DOCTYPE html><html><head><meta charset="utf-8"><title>电台</title></head><body><h1>电台</h1></body></html>' >"$www/radio/index.html"
start_http_server "$www"
# shellcheck disable=SC2046
point_sites_at "$HTTP_ORIGIN" $(portal_services)
saver_settings "$XDG_CONFIG_HOME"
start_korvid_with_tray
background "$saver" --idle
starter=$LAST_PID
# The hidden default window has written its record, which keeps nothing back.
wait_for_file "$XDG_CONFIG_HOME/Lumera/registry.hive" || fail "Korvid wrote no registry hive"
[[ $(screen_saver_active "$XDG_CONFIG_HOME") == 0 ]] || fail "Korvid's window wrote no record"
run=$(saver_child "$starter" 15) || fail "no saver while Korvid sat in the tray"
wait_for_window "^Lumera屏保$" 30 >/dev/null || fail "no saver window over the tray"
# Shows Korvid's main window from the tray icon once the saver is gone; sets window.
show_main_window() {
    sleep 2
    xdotool mousemove_relative 1 0
    wait_for_exit "$run" 20 || fail "a pointer move did not end the saver"
    xdotool mousemove "$icon_x" "$icon_y" click 1
    window=$(wait_for_window "^电台 - Lumera桌面\$" 60) || fail "main window not shown"
}
show_main_window
sleep 14 # two idle times and a little
pgrep -P "$starter" >/dev/null && fail "the saver started over Korvid's main window"
wmctrl -i -c "$window" # a window manager's close: no input, the idle period goes on
closed=$SECONDS
run=$(saver_child "$starter" 10) || fail "no saver after Korvid's window closed"
echo "the saver came $((SECONDS - closed)) s after the close"
kill -0 "$korvid" || fail "Korvid ended with its window while in the tray"
show_main_window
sleep 8
pgrep -P "$starter" >/dev/null && fail "the saver started over Korvid's main window again"
kill -KILL "$korvid"
killed=$SECONDS
run=$(saver_child "$starter" 10) || fail "no saver after Korvid was killed with its window shown"
echo "the saver came $((SECONDS - killed)) s after the kill"
sleep 2
xdotool mousemove_relative 1 0
wait_for_exit "$run" 20 || fail "a pointer move did not end the saver"

echo "X: a video player's inhibition through org.freedesktop.ScreenSaver, until it leaves the bus"
# As a player does while a film plays: it asks and holds on, then ends without UnInhibit.
background /usr/bin/python3 -c '
import dbus, sys, time
saver = dbus.SessionBus().get_object("org.freedesktop.ScreenSaver", "/ScreenSaver")
print(saver.Inhibit("player", "playing a film", dbus_interface="org.freedesktop.ScreenSaver"), flush=True)
time.sleep(600)' >"$E2E_OUTPUT/player.out"
player=$LAST_PID
sleep 14
[[ -s $E2E_OUTPUT/player.out ]] || fail "the player got no cookie"
pgrep -P "$starter" >/dev/null && fail "the saver started over the player's film"
kill -KILL "$player"
run=$(saver_child "$starter" 10) || fail "no saver after the player left"
sleep 2
xdotool mousemove_relative 1 0
wait_for_exit "$run" 20 || fail "a pointer move did not end the saver"
kill "$starter"
wait_for_exit "$starter" || fail "the starter did not end"

# ---- sway -------------------------------------------------------------------------------

echo "sway: one starter a session, one more on the same user's X session; the saver full-screen"
desktop_user
start_sway "xwayland disable"
# The sunset page: colour all over the screen.
saver_settings "$DESKTOP_HOME/.config" 2
((EUID == 0)) && chown -R "$DESKTOP_USER:" "$DESKTOP_HOME"
sleep 1.5
on_sway swaymsg seat - cursor set 600 300 >/dev/null
desktop_background on_sway "$saver" --idle
starter=$LAST_PID
wait_for_file "$(idle_lock "$DESKTOP_RUNTIME" wayland-1)" || fail "the starter on sway took no lock"
status=0
on_sway timeout 20 "$saver" --idle 2>/dev/null || status=$?
((status == 1)) || fail "a second idle starter on sway ended with status $status"
desktop_background as_desktop_user "$saver" --idle
x_starter=$LAST_PID
wait_for_file "$(idle_lock "$DESKTOP_RUNTIME" "$DISPLAY")" || fail "no starter of its own on X"
sleep 1
kill -0 "$x_starter" 2>/dev/null || fail "the starter on X ended while the one on sway runs"
kill "$x_starter"
run=$(saver_child "$starter" 30) || fail "no saver on sway"
wait_for_node "Lumera屏保" 30 "fullscreen 1280x720" ||
    fail "the saver is not full-screen: $(sway_node Lumera屏保)"
sleep 4
on_sway grim "$DESKTOP_HOME/sway.png" && cp "$DESKTOP_HOME/sway.png" "$E2E_OUTPUT/sway-saver.png"
mean=$(convert "$E2E_OUTPUT/sway-saver.png" -format '%[fx:int(mean*1000)]' info:)
((mean > 50)) || fail "the sunset page is black on sway (mean $mean/1000)"
on_sway swaymsg seat - cursor move 5 5 >/dev/null
wait_for_exit "$run" 20 || fail "a pointer motion did not end the saver on sway"
run=$(saver_child "$starter" 30) || fail "no saver after a new idle period on sway"
wait_for_node "Lumera屏保" 30 fullscreen || fail "the second saver is not full-screen"
sleep 2
on_sway wtype -s 1000 -k space
wait_for_exit "$run" 20 || fail "a key did not end the saver on sway"
kill "$starter"
wait_for_exit "$starter" || fail "the starter did not end on sway"

echo "sway: not while a Korvid main window is shown, through the compositor alone (no session bus)"
# shellcheck disable=SC2046 # one word a service
XDG_CONFIG_HOME=$DESKTOP_HOME/.config point_sites_at "$HTTP_ORIGIN" $(portal_services)
saver_settings "$DESKTOP_HOME/.config"
((EUID == 0)) && chown -R "$DESKTOP_USER:" "$DESKTOP_HOME"
desktop_background on_sway "$LUMERA_PROGRAM_DIR/Korvid"
korvid=$LAST_PID
wait_for_node "电台 - Lumera桌面" 90 || fail "no Korvid main window on sway"
[[ $(screen_saver_active "$DESKTOP_HOME/.config") == 0 ]] || fail "Korvid on sway left the saver on"
desktop_background on_sway "$saver" --idle
starter=$LAST_PID
on_sway swaymsg seat - cursor move 5 5 >/dev/null
sleep 15
pgrep -P "$starter" >/dev/null && fail "the saver started over Korvid's main window on sway"
on_sway swaymsg '[title="电台 - Lumera桌面"] kill' >/dev/null
wait_for_exit "$korvid" 30 || fail "Korvid did not end with its window on sway"
run=$(saver_child "$starter" 15) || fail "no saver on sway after Korvid's window closed"
kill "$starter"
stop_sway

echo "sway with the bar's tray and swayidle: neither while Korvid's window is shown, both once it is back in the tray"
desktop_bus
start_sway "xwayland disable" "bar {" "  position top" "  tray_output *" "}"
desktop_background on_sway "$LUMERA_PROGRAM_DIR/Korvid"
korvid=$LAST_PID
activate_bar_item
wait_for_node "电台 - Lumera桌面" 60 || fail "no Korvid main window from the tray on sway"
idled=$DESKTOP_RUNTIME/swayidle-fired
desktop_background on_sway swayidle -w timeout 6 "touch $idled" resume "rm -f $idled"
desktop_background on_sway "$saver" --idle
starter=$LAST_PID
on_sway swaymsg seat - cursor move 5 5 >/dev/null
sleep 14
[[ -e $idled ]] && fail "swayidle's timeout fired over Korvid's main window"
pgrep -P "$starter" >/dev/null && fail "the saver started over Korvid's main window on sway"
on_sway swaymsg '[title="电台 - Lumera桌面"] kill' >/dev/null
run=$(saver_child "$starter" 15) || fail "no saver on sway once Korvid was back in the tray"
[[ -e $idled ]] || wait_for_file "$idled" || fail "swayidle's timeout did not fire once Korvid was in the tray"
kill -0 "$korvid" || fail "Korvid ended with its window while in the tray on sway"
kill "$starter"

echo "1 passed, 0 failed"
