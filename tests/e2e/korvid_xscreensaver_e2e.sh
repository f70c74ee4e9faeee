#!/bin/bash
# Korvid's shown main window keeps xscreensaver 6 away, as an ordinary user: with its helper,
# which serves org.freedesktop.ScreenSaver, it does not activate over the window within its
# one-minute timeout and a margin, and does within a minute once the window has closed. Beside
# it the saver's idle starter, which its log-on entry starts on any desktop, ends at once.
source "$(dirname "$0")/lib.sh"

engine_desktop

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

echo "1 passed, 0 failed"
