#!/bin/bash
# Korvid's shown main window keeps mate-screensaver away, as an ordinary user: beside MATE's
# real session manager, whose idleness (one minute, its shortest) it follows, it does not
# activate over the window within that minute and a margin, and does within a minute of the
# next input once the window has closed. The window holds an inhibition of the session, which
# names it, and one of mate-screensaver's own. Beside it the saver's idle starter ends at once,
# and one that was there first (the log-on starts both) gives way to it, starting no saver.
source "$(dirname "$0")/lib.sh"

engine_desktop

echo "MATE's session manager and mate-screensaver: not over Korvid's main window, then once it is closed"
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
mkdir -p "$DESKTOP_HOME/.config/Lumera"
printf '[ScreenSave]\nIdleMinutes=0.25\n' >"$DESKTOP_HOME/.config/Lumera/Korvidesk.ini"
desktop_owns_home
mate() { as_desktop_user env GSETTINGS_BACKEND=keyfile XDG_CONFIG_DIRS="$DESKTOP_HOME/no-autostart" "$@"; }
desktop_background mate mate-session
wait_for_name org.gnome.SessionManager 30 || fail "mate-session serves no org.gnome.SessionManager"
desktop_background as_desktop_user "$LUMERA_PROGRAM_DIR/Lumera屏保" --idle
starter=$LAST_PID
desktop_background mate mate-screensaver
wait_for_name org.mate.ScreenSaver 30 || fail "mate-screensaver did not start"
# Its idle time is fifteen seconds: at the first idle period it finds the engine and ends.
wait_for_exit "$starter" 45 || fail "the idle starter that was there first still runs beside mate-screensaver"
pgrep -u "$DESKTOP_USER" -x Lumera屏保 >/dev/null && fail "the idle starter started a saver beside mate-screensaver"
starter_stays_out mate-screensaver
korvid_window
idle_inhibited() {
    as_desktop_user gdbus call --session --dest org.gnome.SessionManager \
        --object-path /org/gnome/SessionManager --method org.gnome.SessionManager.IsInhibited 8
}
wait_for_output 10 true idle_inhibited || fail "Korvid's window holds no idle inhibition of the session"
# mate-screensaver's own inhibitions, through org.mate.ScreenSaver, list their holders.
wait_for_output 10 'inhibited by' mate mate-screensaver-command -q ||
    fail "Korvid's window holds no inhibition of mate-screensaver: $(mate mate-screensaver-command -q 2>&1)"
# The session manager's inhibitors name the window they are for: Korvid's is its main window.
inhibitor_windows() {
    local path
    for path in $(as_desktop_user gdbus call --session --dest org.gnome.SessionManager \
        --object-path /org/gnome/SessionManager --method org.gnome.SessionManager.GetInhibitors |
        grep -oE '/org/gnome/SessionManager/[A-Za-z0-9_]+'); do
        as_desktop_user gdbus call --session --dest org.gnome.SessionManager --object-path "$path" \
            --method org.gnome.SessionManager.Inhibitor.GetToplevelXid
    done
}
inhibitor_windows | grep -q "^(uint32 $window,)$" ||
    fail "no inhibition names Korvid's window $window: $(inhibitor_windows 2>&1)"
# MATE's session manager counts idleness again from the next input once the last inhibition
# has gone, not from the input before it.
AFTER_INPUT=1 kept_away_until_closed mate-screensaver 'is active' mate mate-screensaver-command -q

echo "1 passed, 0 failed"
