#!/bin/bash
# `Lumera屏保 --install` on the desktops it knows, as an ordinary desktop user: under the real
# xscreensaver (a new and a hand-written ~/.xscreensaver, and from a folder whose name needs
# quoting), under mate-screensaver, and with
# no engine at all. The engines then start the installed saver on their own window.
# shellcheck disable=SC2154 # temp_folder sets prefix
source "$(dirname "$0")/lib.sh"

build=$(dirname "$LUMERA_BUILT_PROGRAM_DIR")
temp_folder prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install failed"
chmod 755 "$prefix"
saver=$prefix/bin/Lumera屏保

desktop_user
desktop_bus
prefs=$DESKTOP_HOME/.xscreensaver
# The saver does not start without a picture folder; the rotation's next step is the sunset
# page (mode 2), which shows at once.
as_desktop_user mkdir -p "$DESKTOP_HOME/.config/Lumera" "$DESKTOP_HOME/Pictures"
next_is_sunset() {
    printf '[MyDeskTop]\nDownloadPath=%s\n[ScreenSave]\nloadtime=1\n' "$DESKTOP_HOME/Pictures" |
        as_desktop_user tee "$DESKTOP_HOME/.config/Lumera/Korvidesk.ini" >/dev/null
}

install_saver() {
    as_desktop_user "$saver" --install >"$E2E_OUTPUT/install.txt" 2>&1 ||
        fail "--install failed: $(cat "$E2E_OUTPUT/install.txt")"
    echo "--install: $(cat "$E2E_OUTPUT/install.txt")"
}
# The pid of the saver installed in $installed that an engine started, once it runs. (Other
# tests may run savers of their own as the same user.)
installed=$prefix
saver_started_by_engine() {
    local pid
    for _ in $(seq 100); do
        for pid in $(pgrep -u "$DESKTOP_USER" -x 'Lumera屏保' || true); do
            [[ $(readlink "/proc/$pid/exe") == "$installed/lib/lumera/Lumera屏保" ]] || continue
            if tr '\0' '\n' <"/proc/$pid/environ" | grep -q '^XSCREENSAVER_WINDOW='; then
                echo "$pid"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}
shots=0
# Activates the engine, checks that it runs the saver, deactivates it and waits for the end.
check_engine_runs_saver() {
    local engine=$1 pid shot
    next_is_sunset
    as_desktop_user "${@:2}" --activate >/dev/null 2>&1 || fail "$engine does not activate"
    pid=$(saver_started_by_engine) || fail "$engine did not start the saver"
    echo "$engine started the saver: $(tr '\0' ' ' <"/proc/$pid/cmdline")"
    shot=$engine-$((++shots))
    wait_until screen_drawn "$shot" || fail "nothing drawn into the engine's window: $E2E_OUTPUT/$shot.png"
    as_desktop_user "${@:2}" --deactivate >/dev/null 2>&1 || fail "$engine does not deactivate"
    wait_for_exit "$pid" 20 || fail "the saver outlived $engine's deactivation"
}

# xscreensaver, with no preferences file yet: a small one is written, and once is enough.
background as_desktop_user xscreensaver -no-splash
xscreensaver=$LAST_PID
wait_until xprop -root _SCREENSAVER_VERSION || fail "xscreensaver did not start"
install_saver
# It stores the picture folder, as the saver's first run would, before an engine starts it.
grep -qx "DownloadPath=$DESKTOP_HOME/Pictures" "$DESKTOP_HOME/.config/Lumera/Korvidesk.ini" ||
    fail "--install stored no picture folder: $(cat "$DESKTOP_HOME/.config/Lumera/Korvidesk.ini")"
grep -qx $'mode:\t\tone' "$prefs" && grep -qx $'selected:\t\t0' "$prefs" ||
    fail "new file does not choose the first entry: $(cat "$prefs")"
grep -qF "\"Lumera屏保\" $saver --root" "$prefs" || fail "new file lacks the entry: $(cat "$prefs")"
cp "$prefs" "$E2E_OUTPUT/new.xscreensaver"
install_saver
cmp -s "$prefs" "$E2E_OUTPUT/new.xscreensaver" || fail "a second --install changed the file"
check_engine_runs_saver xscreensaver xscreensaver-command
grep -i 'error\|unrecogni\|warning' "$DESKTOP_HOME/.xscreensaver-errors" 2>/dev/null && fail "xscreensaver complains"

# A hand-written file keeps every line but mode and selected; the entry joins the list.
cat >"$E2E_OUTPUT/hand.xscreensaver" <<'EOF'
# my own settings
timeout:	0:01:00
lock:		False
mode:		random
selected:	-1
programs:								      \
				maze --root				    \n\
  GL: 				"Cubes" cubestorm --root		    \n\
-				"Qix (solid)" qix --root --solid	    \n\

! trailing comment
fade:		False
EOF
as_desktop_user tee "$prefs" <"$E2E_OUTPUT/hand.xscreensaver" >/dev/null
# xscreensaver reloads the file when its time of change (in whole seconds) moves: had it read
# the hand-written file within the second that --install rewrites it, it would keep that.
as_desktop_user touch -d '1 minute ago' "$prefs"
install_saver
diff "$E2E_OUTPUT/hand.xscreensaver" "$prefs" >"$E2E_OUTPUT/hand.diff" || true
cat "$E2E_OUTPUT/hand.diff"
[[ $(grep -c '^[<>]' "$E2E_OUTPUT/hand.diff") == 5 ]] &&
    grep -qx $'> mode:\t\tone' "$E2E_OUTPUT/hand.diff" &&
    grep -qx $'> selected:\t3' "$E2E_OUTPUT/hand.diff" &&
    grep -qF "> "$'\t\t\t\t'"\"Lumera屏保\" $saver --root \\n\\" "$E2E_OUTPUT/hand.diff" ||
    fail "the hand-written file changed beyond mode, selected and the new entry"
check_engine_runs_saver xscreensaver xscreensaver-command

# Installed in a folder whose name the shell needs quoted: xscreensaver runs it from there,
# and --install knows its entry again.
installed="$prefix/my 'saver' \$HOME"
mkdir -p "$installed"
cp -a "$prefix/bin" "$prefix/lib" "$installed/"
chmod 755 "$installed"
saver=$installed/bin/Lumera屏保
as_desktop_user rm "$prefs"
install_saver
grep -qx $'selected:\t\t0' "$prefs" || fail "the quoted entry is not chosen: $(cat "$prefs")"
cp "$prefs" "$E2E_OUTPUT/quoted.xscreensaver"
install_saver
cmp -s "$prefs" "$E2E_OUTPUT/quoted.xscreensaver" || fail "a second --install changed the file: $(cat "$prefs")"
check_engine_runs_saver xscreensaver xscreensaver-command
installed=$prefix
saver=$prefix/bin/Lumera屏保
as_desktop_user xscreensaver-command -exit >/dev/null 2>&1 || true
wait_for_exit "$xscreensaver" 20 || fail "xscreensaver did not exit"

# mate-screensaver finds the theme in the installed share folder and runs the launcher from
# an engine folder of the test's own.
if mate_engine_folder "$saver"; then
    as_desktop_user gsettings set org.mate.screensaver lock-enabled false || fail "no gsettings"
    background as_desktop_user env XDG_DATA_DIRS="$prefix/share:/usr/local/share:/usr/share" \
        XDG_CURRENT_DESKTOP=MATE mate-screensaver --no-daemon
    mate=$LAST_PID
    wait_until as_desktop_user mate-screensaver-command --query || fail "mate-screensaver did not start"
    install_saver
    [[ $(as_desktop_user gsettings get org.mate.screensaver mode) == "'single'" &&
        $(as_desktop_user gsettings get org.mate.screensaver themes) == "['screensavers-lumera-saver']" ]] ||
        fail "mate-screensaver's settings: $(as_desktop_user gsettings list-recursively org.mate.screensaver)"
    check_engine_runs_saver mate-screensaver mate-screensaver-command
    as_desktop_user mate-screensaver-command --exit >/dev/null 2>&1 || true
    wait_for_exit "$mate" 20 || fail "mate-screensaver did not exit"
    DESKTOP_WRAPPER=()
else
    echo "mate-screensaver: skipped, a private engine folder takes root"
fi

# No engine: the idle starter at every log-on, and started now; the desktop's notification
# service shows what was done.
notices=$E2E_OUTPUT/notifications.log
: >"$notices"
chmod 666 "$notices"
background as_desktop_user /usr/bin/python3 "$LUMERA_SOURCE_DIR/tests/e2e/fake_notifications.py" "$notices"
bus_name_owned() {
    as_desktop_user dbus-send --session --print-reply --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}
wait_until bus_name_owned org.freedesktop.Notifications || fail "no notification service"
install_saver
grep -qF "已设为屏幕保护程序: $(cat "$E2E_OUTPUT/install.txt")" "$notices" ||
    fail "no notification of what was done: $(cat "$notices")"
entry=$DESKTOP_HOME/.config/autostart/lumera-saver-idle.desktop
grep -qxF "Exec=\"$saver\" \"--idle\"" "$entry" || fail "no idle starter at log-on: $(cat "$entry")"
desktop-file-validate "$entry" || fail "the autostart entry does not validate"
for pid in $(pgrep -u "$DESKTOP_USER" -f "^$prefix/.*Lumera屏保 --idle" || true); do
    kill "$pid"
done
# The launcher gone, as after the package's removal: run as the session would, the log-on
# entry is passed over, where starting it would fail and say so.
mv "$saver" "$saver.gone"
as_desktop_user dex -a -s "$DESKTOP_HOME/.config/autostart" >"$E2E_OUTPUT/autostart.txt" 2>&1 ||
    fail "the log-on entry fails: $(cat "$E2E_OUTPUT/autostart.txt")"
[[ ! -s $E2E_OUTPUT/autostart.txt ]] || fail "the log-on entry says: $(cat "$E2E_OUTPUT/autostart.txt")"
echo "PASS: saver install"
