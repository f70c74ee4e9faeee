#!/bin/bash
# Korvid's first start as a user meets it: the icon docks into the tray without waiting for the
# web engine, the first use is recorded, a left click on the icon brings up the maximised main
# window on the radio page, and Exit from the tray menu ends the program.
source "$(dirname "$0")/lib.sh"

export QTWEBENGINE_CHROMIUM_FLAGS="--disable-background-networking --disable-component-update --no-first-run --disable-sync --disable-gpu"
rm -rf "${XDG_CONFIG_HOME:?}"/*

# One loopback server for every site: the vendor's pages and a radio page.
temp_folder www
cp -r "$LUMERA_PROGRAM_DIR/vendor/." "$www/"
mkdir -p "$www/radio"
cat >"$www/radio/index.html" <<'EOF'
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>环球音乐电台</title>
<style>body{margin:0;font:16px/1.7 "Noto Sans CJK SC",sans-serif;background:#fdf6ec;color:#40362c}
header{padding:28px 40px;color:#fff;background:linear-gradient(120deg,#c2410c,#f59e0b)}
h1{margin:0;font-size:30px}li{margin:6px 0}main{padding:12px 40px}</style></head>
<body><header><h1>环球音乐电台</h1>正在播放：怀旧金曲 · 经典老歌天天听</header>
<main><ul><li>07:00 早安音乐</li><li>12:00 午间流行榜</li><li>19:00 怀旧金曲</li>
<li>22:00 夜色轻音乐</li></ul></main></body></html>
EOF
start_http_server "$www"
services=$(portal_services)
# shellcheck disable=SC2086
point_sites_at "$HTTP_ORIGIN" $services

# The program file does not link the engine's libraries: it opens them from the library in its
# program folder once the icon is in, so the icon never waits for the dynamic linker to load them.
ldd "$LUMERA_PROGRAM_DIR/Korvid" | grep -q libQt6WebEngine && fail "Korvid links the web engine"
start_korvid_with_tray

# Its tooltip comes up when the pointer rests on it.
before=$(xdotool search --onlyvisible --class Korvid 2>/dev/null | sort || true)
xdotool mousemove "$icon_x" "$icon_y"
sleep 0.3
xdotool mousemove "$((icon_x + 1))" "$icon_y"
tooltip=""
for _ in $(seq 20); do
    after=$(xdotool search --onlyvisible --class Korvid 2>/dev/null | sort || true)
    tooltip=$(comm -13 <(echo "$before") <(echo "$after") | head -1)
    [[ -n "$tooltip" ]] && break
    sleep 0.25
done
[[ -n "$tooltip" ]] || fail "no tooltip over the tray icon"
screenshot tray-tooltip

# The first use is on record, and the program starts at log-on from now on.
ini="$XDG_CONFIG_HOME/Lumera/cinema.ini"
for _ in $(seq 50); do
    [[ -f "$ini" ]] && grep -q '^PingDao=' "$ini" && break
    sleep 0.2
done
grep -qx 'usecount=1' "$ini" || fail "no use counted"
[[ $(grep -c '^usecount=1$' "$ini") -eq 2 ]] || fail "use count not copied to [update]"
grep -qx 'history=1' "$ini" || fail "setup/history not written"
grep -qx "PingDao=$HTTP_ORIGIN/radio/" "$ini" || fail "PingDao is not the default radio page"
autostart="$XDG_CONFIG_HOME/autostart/Radio.desktop"
[[ -f "$autostart" ]] || fail "no autostart entry"
grep -q "^Exec=.*$LUMERA_PROGRAM_DIR/Korvid" "$autostart" || fail "autostart does not start Korvid"

# The main window stays hidden until the icon is clicked.
if xdotool search --onlyvisible --name ' - Lumera桌面$' >/dev/null 2>&1; then
    fail "main window shown before the tray click"
fi
xdotool mousemove "$icon_x" "$icon_y" click 1
window=$(wait_for_window '^环球音乐电台 - Lumera桌面$' 40) || fail "main window not shown on the radio page"
grep -q "$LUMERA_PROGRAM_DIR/lib/liblumera_web_engine.so" "/proc/$korvid/maps" ||
    fail "the page is not shown by the engine's library of the program folder"
for _ in $(seq 30); do
    xprop -id "$window" _NET_WM_STATE | grep -q '_NET_WM_STATE_MAXIMIZED_HORZ' && break
    sleep 0.2
done
state=$(xprop -id "$window" _NET_WM_STATE)
[[ $state == *_NET_WM_STATE_MAXIMIZED_VERT* && $state == *_NET_WM_STATE_MAXIMIZED_HORZ* ]] ||
    fail "main window not maximised: $state"
sleep 3
screenshot main-window

exit_from_tray_menu tray-menu

# A second start against bad input: a remembered radio page that is junk, sites that do not
# answer, and no session bus. Start-up completes and the program stays usable.
sed -i 's|^PingDao=.*|PingDao=%%junk ::: 电台|' "$ini"
closed_port=$(free_port)
rm -f "$XDG_CONFIG_HOME/Lumera/sites.ini"
# shellcheck disable=SC2086
point_sites_at "http://127.0.0.1:$closed_port" $services
background_korvid env -u DBUS_SESSION_BUS_ADDRESS "$LUMERA_PROGRAM_DIR/Korvid"
find_icon
for _ in $(seq 50); do
    grep -qx 'usecount=2' "$ini" && break
    sleep 0.2
done
grep -qx 'usecount=2' "$ini" || fail "second start not counted"
xdotool mousemove "$icon_x" "$icon_y" click 1
wait_for_window ' - Lumera桌面$' 40 >/dev/null || fail "main window not shown after a bad start"
sleep 2
screenshot bad-input-window
exit_from_tray_menu bad-input-menu
echo "PASS: korvid tray"
