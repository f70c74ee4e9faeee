#!/bin/bash
# The Debian package as a new user meets it: installed with apt into this machine, then used
# by a fresh ordinary user under an X session with a tray. Korvid and the saver start from
# their menu entries, the saver becomes xscreensaver's and runs there, xscreensaver's settings
# find its options, --uninstall gives ~/.xscreensaver back, and once the package is removed
# the user's log-on entries start nothing. The package goes again at the end, whatever happens.
# Installing takes root: run otherwise, the case is skipped.
# shellcheck disable=SC2154 # temp_folder sets work, find_icon icon_x and icon_y
source "$(dirname "$0")/lib.sh"

if ((EUID != 0)); then
    echo "SKIP: installing the package takes root"
    exit 77
fi
if dpkg-query -W -f='${Status}' lumera 2>/dev/null | grep -q 'ok installed'; then
    fail "the package lumera is installed on this machine already; this case would remove it"
fi

build=$(dirname "$LUMERA_BUILT_PROGRAM_DIR")
temp_folder work
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$E2E_OUTPUT/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$E2E_OUTPUT/cpack.log")"
deb=$(ls "$work"/lumera_*_amd64.deb) || fail "no lumera_<version>_amd64.deb"
chmod 755 "$work"
chmod 644 "$deb"

apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o Dpkg::Use-Pty=0 "$@" >>"$E2E_OUTPUT/apt.log" 2>&1
}
remove_package() {
    if dpkg-query -W -f='${Status}' lumera 2>/dev/null | grep -q 'ok installed'; then
        apt_get remove lumera || echo "FAIL: the package could not be removed: see $E2E_OUTPUT/apt.log" >&2
    fi
}
# The pids of the user's processes started from the installed program folder, one a line.
installed_programs() {
    [[ -n ${DESKTOP_USER:-} ]] && pgrep -u "$DESKTOP_USER" -f "^/usr/bin/\.\./lib/lumera/$1" || true
}
# What runs from the package ends before the package goes, also what a menu entry started.
trap 'for pid in $(installed_programs ""); do stop_tree "$pid"; done; e2e_cleanup; remove_package' EXIT
: >"$E2E_OUTPUT/apt.log"
# What the package needs is there already (the set-up installs it); recommended packages
# stay out, so that removing this one leaves the machine as it was.
apt_get install --no-install-recommends "$deb" || fail "apt-get install failed: $(tail -5 "$E2E_OUTPUT/apt.log")"
[[ -f /usr/share/xscreensaver/config/lumera屏保.xml ]] || fail "no options file for xscreensaver"

desktop_user
desktop_bus
home=$DESKTOP_HOME
as_desktop_user mkdir -p "$home/.config/Lumera"
# The sites point at a closed port on 127.0.0.1; the saver's next turn is the sunset page.
for service in $(portal_services); do
    echo "$service=http://127.0.0.1:9"
done | as_desktop_user tee "$home/.config/Lumera/sites.ini" >/dev/null
printf '[ScreenSave]\nloadtime=1\n' | as_desktop_user tee "$home/.config/Lumera/Korvidesk.ini" >/dev/null
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-background-networking --disable-component-update --no-first-run --disable-sync --disable-gpu"

# Stderr of the programs holds real problems only: not the web engine's set-up report, nor
# WebGL that the engine turns down.
quiet() {
    if grep -E 'qt\.webenginecontext|GL Type|Init Parameters|WebGL' "$1"; then
        fail "noise on the stderr of $2"
    fi
}

# Korvid from its menu entry: the icon docks and a click brings up the main window.
background openbox --sm-disable
start_tray
as_desktop_user dex /usr/share/applications/lumera-korvid.desktop 2>"$E2E_OUTPUT/korvid.err"
find_icon
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for_window ' - Lumera桌面$' 90 >/dev/null || fail "no main window from the installed Korvid"
screenshot installed-korvid
korvid=$(installed_programs Korvid) || fail "no Korvid process"
# xdg-utils is only recommended: without it, 软件帮助 (系统工具, H) says in a message box that
# nothing opens the help page.
if ! command -v xdg-open >/dev/null; then
    button=$(as_desktop_user /usr/bin/python3 "$LUMERA_SOURCE_DIR/tests/e2e/accessible.py" Korvid \
        find "push button" 系统工具) || fail "no button 系统工具 on the accessibility bus"
    read -r bx by bw bh <<<"$button"
    xdotool mousemove "$((bx + bw / 2))" "$((by + bh / 2))" click 1
    sleep 1
    xdotool key h
    wait_for_window "^Lumera桌面\$" 20 >/dev/null || fail "no message where nothing opens the help page"
    screenshot installed-korvid-no-opener
    xdotool key Return
    wait_until bash -c '! xdotool search --onlyvisible --name "^Lumera桌面\$"' || fail "the message stays"
fi
# Its log-on entry starts the launcher, and only while it is there.
autostart=$home/.config/autostart/Radio.desktop
grep -qx 'Exec="/usr/bin/Korvid"' "$autostart" && grep -qx 'TryExec=/usr/bin/Korvid' "$autostart" ||
    fail "the log-on entry: $(cat "$autostart")"
click_tray_exit installed-korvid-menu
wait_for_exit "$korvid" 30 || fail "Korvid still running after Exit"
quiet "$E2E_OUTPUT/korvid.err" Korvid

# The saver from its menu entry, for a user with no picture folder stored and no photos: it
# stores the pictures folder and shows the sunset page; a key ends it.
as_desktop_user dex /usr/share/applications/lumera-saver.desktop 2>"$E2E_OUTPUT/saver.err"
wait_for_window 'Lumera屏保' 60 >/dev/null || fail "no saver window from the menu entry"
wait_for_sunset installed-saver-sunset
grep -qx "DownloadPath=$home/Pictures" "$home/.config/Lumera/Korvidesk.ini" ||
    fail "the picture folder was not stored: $(cat "$home/.config/Lumera/Korvidesk.ini")"
saver=$(installed_programs Lumera屏保)
xdotool key space
wait_for_exit "$saver" 20 || fail "the saver did not end at a key press"
quiet "$E2E_OUTPUT/saver.err" Lumera屏保

# xscreensaver with the user's own settings: --install (the menu entry's action) makes the
# saver its only one, and an activation runs it, the clock movie this time, which stays.
as_desktop_user sed -i 's/^loadtime=.*/loadtime=5/' "$home/.config/Lumera/Korvidesk.ini"
cat >"$E2E_OUTPUT/own.xscreensaver" <<'EOF'
# my own settings
timeout:	0:30:00
mode:		random
programs:								      \
				maze --root				    \n\
-				"Qix (solid)" qix --root --solid	    \n\

fade:		False
EOF
as_desktop_user tee "$home/.xscreensaver" <"$E2E_OUTPUT/own.xscreensaver" >/dev/null
background as_desktop_user xscreensaver -no-splash 2>"$E2E_OUTPUT/xscreensaver.err"
xscreensaver=$LAST_PID
wait_until xprop -root _SCREENSAVER_VERSION || fail "xscreensaver did not start"
as_desktop_user /usr/bin/Lumera屏保 --install >"$E2E_OUTPUT/install.txt" 2>&1 ||
    fail "--install failed: $(cat "$E2E_OUTPUT/install.txt")"
grep -qF '"Lumera屏保" /usr/bin/Lumera屏保 --root' "$home/.xscreensaver" ||
    fail "not chosen in ~/.xscreensaver: $(cat "$home/.xscreensaver")"
as_desktop_user xscreensaver-command -activate >/dev/null 2>&1 || fail "xscreensaver does not activate"
started_by_engine() {
    local pid
    for pid in $(installed_programs 'Lumera屏保 --root'); do
        tr '\0' '\n' <"/proc/$pid/environ" | grep -q '^XSCREENSAVER_WINDOW=' && echo "$pid" && return 0
    done
    return 1
}
wait_until started_by_engine || fail "xscreensaver did not start the saver"
saver=$(started_by_engine)
wait_until screen_drawn installed-xscreensaver || fail "nothing drawn in xscreensaver's window"
# No error box: the saver is still the one running, and xscreensaver saw nothing go wrong.
sleep 3
kill -0 "$saver" 2>/dev/null || fail "the saver ended under xscreensaver"
screenshot installed-xscreensaver-running
grep -iE 'crashed|not installed|Lumera屏保' "$E2E_OUTPUT/xscreensaver.err" && fail "xscreensaver reports a failure of the saver"
as_desktop_user xscreensaver-command -deactivate >/dev/null 2>&1
wait_for_exit "$saver" 20 || fail "the saver outlived the deactivation"
quiet "$E2E_OUTPUT/xscreensaver.err" "the saver under xscreensaver"

# xscreensaver's settings look the options up where the package put them.
background as_desktop_user xscreensaver-settings --debug 2>"$E2E_OUTPUT/settings.err"
settings=$LAST_PID
WAIT_SECONDS=60 wait_until grep -qE 'lumera屏保\.xml' "$E2E_OUTPUT/settings.err" ||
    fail "xscreensaver-settings did not look for the options: $(cat "$E2E_OUTPUT/settings.err")"
grep -F 'lumera屏保.xml' "$E2E_OUTPUT/settings.err"
grep -qF 'reading /usr/share/xscreensaver/config/lumera屏保.xml' "$E2E_OUTPUT/settings.err" ||
    fail "xscreensaver-settings does not find the options file"
# It reads the content choice back from the command line: every choice is a switch.
grep -F 'lumera屏保.xml:' "$E2E_OUTPUT/settings.err" && fail "xscreensaver-settings finds fault with the options"
# Its preview of the saver comes up soon after; ended with the settings, it goes too.
preview() { [[ -n $(installed_programs 'Lumera屏保 .*--window-id') ]]; }
wait_until preview || echo "no preview from xscreensaver-settings"
sleep 2
screenshot installed-xscreensaver-settings
stop_tree "$settings"
as_desktop_user xscreensaver-command -exit >/dev/null 2>&1 || true
wait_for_exit "$xscreensaver" 20 || fail "xscreensaver did not exit"
gone() { [[ -z $(installed_programs '') ]]; }
wait_until gone || fail "programs of the package still run: $(installed_programs '')"

# --uninstall, before the package goes, gives the user's own file back byte for byte.
as_desktop_user /usr/bin/Lumera屏保 --uninstall >"$E2E_OUTPUT/uninstall.txt" 2>&1 ||
    fail "--uninstall failed: $(cat "$E2E_OUTPUT/uninstall.txt")"
cmp "$E2E_OUTPUT/own.xscreensaver" "$home/.xscreensaver" || fail "the user's .xscreensaver is not as it was"

# Removed, the package leaves the user's log-on entries; run as the session would, they start
# nothing and say nothing.
apt_get remove lumera || fail "apt-get remove failed: $(tail -5 "$E2E_OUTPUT/apt.log")"
[[ ! -e /usr/lib/lumera/Korvid && -f $autostart ]] || fail "the package or the log-on entry is not as expected"
as_desktop_user dex -a -s "$home/.config/autostart" >"$E2E_OUTPUT/autostart.txt" 2>&1 ||
    fail "the log-on entries fail: $(cat "$E2E_OUTPUT/autostart.txt")"
[[ ! -s $E2E_OUTPUT/autostart.txt ]] || fail "the log-on entries say: $(cat "$E2E_OUTPUT/autostart.txt")"
sleep 1
started=$(pgrep -a -u "$DESKTOP_USER" -f '^/usr/(bin/Korvid|bin/Lumera|bin/\.\./lib/lumera/|lib/lumera/)' || true)
[[ -z $started ]] || fail "a log-on entry started: $started"
echo "PASS: package installed, used and removed"
