#!/bin/bash
# Installs into a scratch prefix and starts the programs through their launchers: each finds
# its own program folder there.
source "$(dirname "$0")/lib.sh"

build=$(dirname "$LUMERA_BUILT_PROGRAM_DIR")
prefix=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install failed"

folder=$prefix/lib/lumera
for f in Korvid Lumera屏保 help.htm logoff.wav vendor/pop/desktop.html player clock earth; do
    [[ -e $folder/$f ]] || fail "missing $folder/$f"
done
for f in bin/Korvid bin/Lumera屏保 share/applications/lumera-korvid.desktop \
    share/applications/lumera-saver.desktop share/icons/hicolor/scalable/apps/lumera-korvid.svg; do
    [[ -e $prefix/$f ]] || fail "missing $prefix/$f"
done
desktop-file-validate "$prefix/share/applications/lumera-korvid.desktop" 2>/dev/null || true

# Korvid's first use registers the program for log-on with its own folder.
start_tray
point_sites_at "http://127.0.0.1:9" vendor cri
background "$prefix/bin/Korvid"
korvid=$LAST_PID
for _ in $(seq 100); do
    [[ -f $XDG_CONFIG_HOME/autostart/Radio.desktop ]] && break
    sleep 0.2
done
[[ -f $XDG_CONFIG_HOME/autostart/Radio.desktop ]] || fail "no autostart entry"
grep -q "Exec=\"$folder/Korvid\"" "$XDG_CONFIG_HOME/autostart/Radio.desktop" ||
    fail "autostart entry does not start the installed program: $(grep Exec "$XDG_CONFIG_HOME/autostart/Radio.desktop")"
kill "$korvid"
wait_for_exit "$korvid" || fail "Korvid did not end"

# The saver with no picture folder stored ends at once, by itself.
timeout 30 "$prefix/bin/Lumera屏保" 7 || fail "the saver did not end by itself"
echo "install: ok"
