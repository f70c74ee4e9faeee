#!/bin/bash
# The Debian package: made from the build tree with cpack, checked with the tools a
# distribution checks packages with, unpacked into a scratch folder (never installed into
# this machine) and both programs started from there.
source "$(dirname "$0")/lib.sh"

build=$(dirname "$LUMERA_BUILT_PROGRAM_DIR")
temp_folder work
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$E2E_OUTPUT/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$E2E_OUTPUT/cpack.log")"
deb=$(ls "$work"/lumera_*_amd64.deb) || fail "no lumera_<version>_amd64.deb"
root=$work/root
dpkg-deb -x "$deb" "$root"

# What a distribution checks: the menu entries, the software-centre entry, the package.
desktop-file-validate "$root"/usr/share/applications/{lumera-{korvid,saver},screensavers/lumera-saver}.desktop ||
    fail "a menu entry does not validate"
[[ $(readlink "$root/usr/libexec/xscreensaver/Lumera屏保") == ../../bin/Lumera屏保 ]] ||
    fail "the engines' folder holds no link to /usr/bin/Lumera屏保"
appstreamcli validate --no-net "$root/usr/share/metainfo/lumera-korvid.metainfo.xml" \
    >"$E2E_OUTPUT/appstream.txt" 2>&1 || true
grep -q '^E:' "$E2E_OUTPUT/appstream.txt" && fail "metainfo: $(grep '^E:' "$E2E_OUTPUT/appstream.txt")"
lintian "$deb" >"$E2E_OUTPUT/lintian.txt" 2>&1 || true
grep -q '^E:' "$E2E_OUTPUT/lintian.txt" && fail "lintian: $(grep '^E:' "$E2E_OUTPUT/lintian.txt")"
echo "lintian: $(grep -c '^W:' "$E2E_OUTPUT/lintian.txt") warnings"

# Depends: the libraries the programs link, and what they load or call at run time.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in libqt6webenginecore6 libqt6multimedia6 libqt6widgets6 libxcb-dpms0 \
    qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk dbus; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "Depends lacks $package"
done
# Recommends: Qt's wayland platform, for a Wayland session, and the opener of pages and files.
for package in qt6-wayland xdg-utils; do
    [[ $(dpkg-deb -f "$deb" Recommends) == *$package* ]] || fail "Recommends lacks $package"
done
for path in usr/bin/Korvid usr/bin/Lumera屏保 usr/lib/lumera/Korvid usr/lib/lumera/Lumera屏保 \
    usr/lib/lumera/lib/liblumera_web_engine.so \
    usr/lib/lumera/help.htm usr/lib/lumera/player/index.html usr/lib/lumera/ruffle/ruffle.js \
    usr/share/icons/hicolor/scalable/apps/lumera-korvid.svg usr/share/doc/lumera/copyright \
    usr/share/metainfo/lumera-korvid.metainfo.xml usr/share/man/man1/Korvid.1.gz \
    usr/share/xscreensaver/config/lumera屏保.xml; do
    [[ -e $root/$path ]] || fail "the package lacks /$path"
done
[[ -z $(find "$root/usr/lib/lumera" -name his.dat -o -name sys -o -name temp) ]] ||
    fail "the package holds a user's data files"

# Korvid from the unpacked package: its icon docks and a click brings up the main window.
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-background-networking --disable-component-update --no-first-run --disable-sync --disable-gpu"
# shellcheck disable=SC2046
point_sites_at "http://127.0.0.1:9" $(portal_services)
background openbox --sm-disable
sleep 1
start_tray
background_korvid "$root/usr/bin/Korvid"
find_icon
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for_window ' - Lumera桌面$' 60 >/dev/null || fail "no main window from the unpacked Korvid"
screenshot packaged-korvid
exit_from_tray_menu packaged-korvid-menu

# The saver from the unpacked package: the sunset page covers the screen; a key ends it.
mkdir -p "$XDG_CONFIG_HOME/Lumera" "$HOME/Pictures"
printf '[MyDeskTop]\nDownloadPath=%s\n' "$HOME/Pictures" >"$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"
background "$root/usr/bin/Lumera屏保" 2
saver=$LAST_PID
wait_for_window 'Lumera屏保' 60 >/dev/null || fail "no saver window from the unpacked saver"
sleep 2
screenshot packaged-saver
xdotool key space
wait_for_exit "$saver" 20 || fail "the unpacked saver did not end at a key press"
echo "PASS: package"
