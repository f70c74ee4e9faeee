#!/bin/bash
# Korvid's shown main window keeps the desktop's own screen-saver engines away, as an ordinary
# user: xscreensaver 6, whose helper serves org.freedesktop.ScreenSaver, does not activate over
# it within its one-minute timeout and a margin, and does within one once the window has closed;
# mate-screensaver, which follows the idleness of MATE's real session manager (one minute, its
# shortest), likewise. Beside either engine the saver's idle starter, which its log-on entry
# starts on any desktop, ends at once.
source "$(dirname "$0")/lib.sh"

desktop_user
desktop_bus
vendor_pages
printf '<!DOCTYPE html><html><head><meta charset="utf-8"><title>电台</title></head><body><h1>电台</h1></body></html>' >"$www/radio/index.html"
start_http_server "$www"
# shellcheck disable=SC2046
XDG_CONFIG_HOME=$DESKTOP_HOME/.config point_sites_at "$HTTP_ORIGIN" $(portal_services)
desktop_owns_home
background openbox --sm-disable

# Korvid without a notification area, whose main window comes up by itself; sets korvid and
# window.
korvid_window() {
    desktop_background as_desktop_user "$LUMERA_PROGRAM_DIR/Korvid"
    korvid=$LAST_PID
    window=$(wait_for_window "^电台 - Lumera桌面\$" 90) || fail "no Korvid main window"
}
# Waits up to the seconds given until a program owns that name on the desktop user's bus.
wait_for_name() {
    local deadline=$((SECONDS + $2))
    while ((SECONDS < deadline)); do
        as_desktop_user gdbus call --session --dest org.freedesktop.DBus \
            --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner "$1" \
            2>/dev/null | grep -q true && return 0
        sleep 0.2
    done
    return 1
}
# Waits up to the seconds given until the command's output matches the pattern.
wait_for_output() {
    local deadline=$((SECONDS + $1)) pattern=$2
    shift 2
    while ((SECONDS < deadline)); do
        "$@" 2>/dev/null | grep -q "$pattern" && return 0
        sleep 1
    done
    return 1
}

# Input now; then the engine named, whose state the command prints, must stay inactive over the
# main window for its idle time and a margin, and come within its idle time once the window has
# closed (Korvid ends with it), counted from the close or, when AFTER_INPUT is set, from an input
# right after it.
kept_away_until_closed() {
    local engine=$1 pattern=$2 closed
    shift 2
    xdotool mousemove_relative 1 1
    if wait_for_output 80 "$pattern" "$@"; then
        fail "$engine activated over Korvid's main window: $("$@" 2>&1)"
    fi
    wmctrl -i -c "$window"
    wait_for_exit "$korvid" 30 || fail "Korvid did not end with its window"
    [[ -n ${AFTER_INPUT:-} ]] && xdotool mousemove_relative 1 1
    closed=$SECONDS
    # A minute, the fade, and the load of a shared machine.
    wait_for_output 100 "$pattern" "$@" ||
        fail "$engine did not activate once Korvid's window closed: $("$@" 2>&1)"
    echo "$engine activated $((SECONDS - closed)) s after the close"
}

# The idle starter, as its log-on entry starts it, ends at once with status 0 beside an engine.
starter_stays_out() {
    local status=0
    as_desktop_user timeout 20 "$LUMERA_PROGRAM_DIR/Lumera屏保" --idle || status=$?
    ((status == 0)) || fail "the idle starter beside $1 ended with status $status"
}

echo "xscreensaver 6 with its helper: not over Korvid's main window, then once it is closed"
desktop_system_bus
cat >"$DESKTOP_HOME/.xscreensaver" <<EOT
mode:		blank
lock:		False
fade:		False
unfade:		False
splash:		False
timeout:	0:01:00
EOT
desktop_owns_home
korvid_window
desktop_background as_desktop_user xscreensaver -no-splash
xscreensaver=$LAST_PID
wait_for_name org.freedesktop.ScreenSaver 30 || fail "xscreensaver's helper serves no org.freedesktop.ScreenSaver"
starter_stays_out xscreensaver
kept_away_until_closed xscreensaver 'screen \(blanked\|locked\)' as_desktop_user xscreensaver-command -time
stop_tree "$xscreensaver"
wait_for_exit "$xscreensaver" || fail "xscreensaver did not end"

echo "MATE's session manager and mate-screensaver: not over Korvid's main window, then once it is closed"
# MATE asks the real system bus for logind itself, and copes without one.
DESKTOP_SYSTEM_BUS=""
# The session's settings in a key file, without the desktop's other parts: no window manager,
# panel or file manager is required, and nothing starts from the system's autostart folder.
mkdir -p "$DESKTOP_HOME/.config/glib-2.0/settings" "$DESKTOP_HOME/no-autostart"
cat >"$DESKTOP_HOME/.config/glib-2.0/settings/keyfile" <<EOT
[org/mate/desktop/session]
idle-delay=1
required-components-list=@as []
[org/mate/screensaver]
idle-activation-enabled=true
lock-enabled=false
EOT
desktop_owns_home
mate() { as_desktop_user env GSETTINGS_BACKEND=keyfile XDG_CONFIG_DIRS="$DESKTOP_HOME/no-autostart" "$@"; }
desktop_background mate mate-session
wait_for_name org.gnome.SessionManager 30 || fail "mate-session serves no org.gnome.SessionManager"
desktop_background mate mate-screensaver
wait_for_name org.mate.ScreenSaver 30 || fail "mate-screensaver did not start"
starter_stays_out mate-screensaver
korvid_window
idle_inhibited() {
    as_desktop_user gdbus call --session --dest org.gnome.SessionManager \
        --object-path /org/gnome/SessionManager --method org.gnome.SessionManager.IsInhibited 8
}
wait_for_output 10 true idle_inhibited || fail "Korvid's window holds no idle inhibition of the session"
# MATE's session manager counts idleness again from the next input once the last inhibition
# has gone, not from the input before it.
AFTER_INPUT=1 kept_away_until_closed mate-screensaver 'is active' mate mate-screensaver-command -q

echo "1 passed, 0 failed"
