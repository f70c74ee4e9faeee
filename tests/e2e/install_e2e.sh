#!/bin/bash
# Installs into a scratch prefix and starts the programs through their launchers: each finds
# its own program folder there.
source "$(dirname "$0")/lib.sh"

build=$(dirname "$LUMERA_BUILT_PROGRAM_DIR")
prefix=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install failed"

folder=$prefix/lib/lumera
for f in Korvid lib/liblumera_web_engine.so Lumera屏保 help.htm logoff.wav vendor/pop/desktop.html player clock earth; do
    [[ -e $folder/$f ]] || fail "missing $folder/$f"
done
for f in bin/Korvid bin/Lumera屏保 share/applications/lumera-korvid.desktop \
    share/applications/lumera-saver.desktop share/icons/hicolor/scalable/apps/lumera-korvid.svg; do
    [[ -e $prefix/$f ]] || fail "missing $prefix/$f"
done
desktop-file-validate "$prefix/share/applications/lumera-korvid.desktop" 2>/dev/null || true

# The saver as the engines find it: a screensaver theme, xscreensaver's description of its
# options, and the menu entry's action that makes it the desktop's saver.
theme=$prefix/share/applications/screensavers/lumera-saver.desktop
menu=$prefix/share/applications/lumera-saver.desktop
desktop-file-validate "$theme" "$menu" || fail "a saver entry does not validate"
grep -qx 'Categories=Screensaver;' "$theme" || fail "the theme is no screensaver"
grep -qx 'Exec=Lumera屏保' "$theme" || fail "the theme does not start the saver"
[[ $(readlink -f "$prefix/libexec/xscreensaver/Lumera屏保") == "$(readlink -f "$prefix/bin/Lumera屏保")" ]] ||
    fail "the engines' folder does not lead to the launcher"
grep -qx 'Exec=Lumera屏保 --install' "$menu" || fail "no install action in the menu entry"
grep -qx 'Exec=Lumera屏保 --uninstall' "$menu" || fail "no uninstall action in the menu entry"
config=$prefix/share/xscreensaver/config/lumera屏保.xml
xmllint --noout "$config" || fail "xscreensaver's description is no XML"
[[ $(xmllint --xpath 'string(/screensaver/command/@arg)' "$config") == --root ]] ||
    fail "the description does not run the saver on the engine's window"
[[ $(xmllint --xpath 'count(//select/option[not(@arg-set)])' "$config") == 1 &&
    $(xmllint --xpath '//select/option/@arg-set' "$config" | tr -dc '0-9') == 123456789 ]] ||
    fail "the content choice is not the rotation and modes 1 to 9"

# Korvid's first use registers the program for log-on through its launcher.
start_tray
point_sites_at "http://127.0.0.1:9" vendor cri
background_korvid "$prefix/bin/Korvid"
for _ in $(seq 100); do
    [[ -f $XDG_CONFIG_HOME/autostart/Radio.desktop ]] && break
    sleep 0.2
done
[[ -f $XDG_CONFIG_HOME/autostart/Radio.desktop ]] || fail "no autostart entry"
grep -qx "Exec=\"$prefix/bin/Korvid\"" "$XDG_CONFIG_HOME/autostart/Radio.desktop" &&
    grep -qx "TryExec=$prefix/bin/Korvid" "$XDG_CONFIG_HOME/autostart/Radio.desktop" ||
    fail "autostart entry does not start the installed launcher: $(grep Exec "$XDG_CONFIG_HOME/autostart/Radio.desktop")"
kill "$korvid"
wait_for_exit "$korvid" || fail "Korvid did not end"

# A picture folder the user emptied keeps the saver off: it ends at once, by itself.
mkdir -p "$XDG_CONFIG_HOME/Lumera"
printf '[MyDeskTop]\nDownloadPath=\n' >"$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"
timeout 30 "$prefix/bin/Lumera屏保" 7 || fail "the saver did not end by itself"
echo "install: ok"
