#!/bin/bash
# Korvid on the desktop around it, driven as a user drives it: the screen-saver inhibition
# follows the main window on screen, the tray menu shows the log-on entry and the volumes as
# they are when it opens, dialogs carry their own captions and no maximise button, the monitor
# command leaves DPMS as it found it, and the toolbar buttons are named for a screen reader.
source "$(dirname "$0")/lib.sh"

rm -rf "${XDG_CONFIG_HOME:?}"/*

# ---- Helpers ---------------------------------------------------------------------------------

# Waits until a file has a line matching the pattern (or as many such lines as counted).
wait_for_line() {
    local file=$1 pattern=$2 timeout=${3:-30} count=${4:-1}
    local deadline=$((SECONDS + timeout)) found
    while ((SECONDS < deadline)); do
        found=$(grep -cE "$pattern" "$file" 2>/dev/null) || true
        ((${found:-0} >= count)) && return 0
        sleep 0.3
    done
    return 1
}

# Clicks the middle of a widget found on the accessibility bus.
click_widget() {
    local role=$1 name=$2 box
    box=$(accessible Korvid find "$role" "$name") || fail "no $role '$name' on the accessibility bus"
    read -r x y w h <<<"$box"
    xdotool mousemove "$((x + w / 2))" "$((y + h / 2))" click 1
}

# Presses the keys in the open pop-up menu and prints the entries of the menu that then has
# the focus, one "role<TAB>name<TAB>states" line each, as a screen reader learns them.
read_menu() {
    local out="$E2E_OUTPUT/menu.txt" reader
    rm -f "$out"
    accessible Korvid menu 20 >"$out" &
    reader=$!
    wait_for_line "$out" '^listening$' 20 || fail "menu reader did not start"
    sleep 1
    xdotool key "$@"
    wait "$reader" || fail "no menu entry took the focus after: $*"
    grep -v '^listening$' "$out"
}

# Waits for a window of exactly this caption; prints its id.
wait_for_caption() {
    local caption=$1 timeout=${2:-30} id name
    id=$(wait_for_window "^$caption" "$timeout") || fail "no window '$caption'"
    name=$(xdotool getwindowname "$id")
    [[ $name == "$caption" ]] || fail "caption '$name', not '$caption'"
    echo "$id"
}

# A fixed dialog: the window manager offers no maximise for it, and asked to maximise it
# anyway (as its title bar button would), leaves its size.
expect_no_maximise() {
    local actions size
    actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
    [[ $actions != *MAXIMIZE* ]] || fail "'$2' can be maximised: $actions"
    size=$(xdotool getwindowgeometry "$1" | grep Geometry)
    wmctrl -i -r "$1" -b add,maximized_vert,maximized_horz
    sleep 1
    [[ $(xdotool getwindowgeometry "$1" | grep Geometry) == "$size" ]] || fail "'$2' was maximised"
}

# ---- A desktop with a tray and a screen-saver service, and Korvid on loopback sites ---------

temp_folder www
cp -r "$LUMERA_PROGRAM_DIR/vendor/." "$www/"
mkdir -p "$www/radio"
cat >"$www/radio/index.html" <<'EOF'
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>晨曦音乐台</title></head>
<body style="font:18px sans-serif;background:#eef6ff"><h1>晨曦音乐台</h1><p>早间新闻与轻音乐</p></body></html>
EOF
start_http_server "$www"
# shellcheck disable=SC2046
point_sites_at "$HTTP_ORIGIN" $(portal_services)

# The scheduled shutdown set for the coming minute, so its countdown window shows up soon.
if (($(date +%-S) > 45)); then sleep 16; fi
at=$(date -d '+1 minute' +%-H:%M)
mkdir -p "$XDG_CONFIG_HOME/Lumera"
printf '[turnoff]\ntimeset=%s\nEnable=1\n' "$at" >"$XDG_CONFIG_HOME/Lumera/cinema.ini"

inhibitions="$E2E_OUTPUT/inhibitions.log"
rm -f "$inhibitions"
background /usr/bin/python3 "$LUMERA_SOURCE_DIR/tests/e2e/fake_screensaver.py" "$inhibitions"
wait_for_line "$inhibitions" '^ready$' 20 || fail "screen-saver service did not start"

dpms_before=$(xset q | sed -n '/DPMS/,$p')
start_korvid_with_tray

# ---- 9. Captions: the countdown of the scheduled shutdown ------------------------------------

wait_for_caption "电脑定时关机" 100 >/dev/null || exit 1
# At its first second it puts itself above all others, which makes its window anew.
sleep 2
countdown=$(wait_for_caption "电脑定时关机") || exit 1
expect_no_maximise "$countdown" "电脑定时关机"
screenshot countdown
click_widget "push button" "撤消关机"
for _ in $(seq 30); do
    xdotool search --onlyvisible --name '^电脑定时关机$' >/dev/null 2>&1 || break
    sleep 0.3
done
! grep -q poweroff "$E2E_OUTPUT/commands.log" 2>/dev/null || fail "the cancelled countdown powered off"

# ---- 6. The screen-saver inhibition follows the main window on screen -------------------------

# Minimises the window given, as its title bar's button does, until the window manager has it
# iconic: a request that comes while the window is still being mapped is lost.
minimise() {
    for _ in $(seq 10); do
        xdotool windowminimize "$1"
        sleep 0.5
        xprop -id "$1" WM_STATE | grep -q Iconic && return 0
    done
    fail "the window was not minimised"
}

# Loaded hidden at start-up, the main window holds nothing.
sleep 2
! grep -q '^Inhibit' "$inhibitions" || fail "inhibited while Korvid sits in the tray"
xdotool mousemove "$icon_x" "$icon_y" click 1
main=$(wait_for_window '^晨曦音乐台 - Lumera桌面$' 40) || fail "main window not shown"
wait_for_line "$inhibitions" '^Inhibit' 20 || fail "no inhibition while the main window is shown"
minimise "$main"
wait_for_line "$inhibitions" '^UnInhibit' 20 || fail "inhibition kept while minimised"
wmctrl -i -a "$main"
wait_for_line "$inhibitions" '^Inhibit' 20 2 || fail "no inhibition after the restore"
screenshot main-window
# A second main window closed as the user closes it: the first one, still on screen, keeps the
# inhibition; minimised, it lets go of it.
click_widget "push button" "启动新窗口"
for _ in $(seq 100); do
    [[ $(main_windows | grep -c .) -eq 2 ]] && break
    sleep 0.3
done
second=$(main_windows | grep -vx "$main") || fail "启动新窗口 opened no second main window"
wmctrl -i -c "$second"
for _ in $(seq 100); do
    [[ $(main_windows | grep -c .) -eq 1 ]] && break
    sleep 0.3
done
[[ $(main_windows) == "$main" ]] || fail "closing the second window left: $(main_windows)"
sleep 3
(($(grep -c '^UnInhibit' "$inhibitions") == 1)) || fail "inhibition dropped with a main window on screen"
minimise "$main"
wait_for_line "$inhibitions" '^UnInhibit' 20 2 || fail "inhibition kept after the other window closed and this one was minimised"
wmctrl -i -a "$main"
wait_for_line "$inhibitions" '^Inhibit' 20 3 || fail "no inhibition after the second restore"

# ---- 11. Toolbar buttons are named by their tool tips ----------------------------------------

# The two buttons that stay pressed are check boxes to a screen reader.
names=$(accessible Korvid names "push button"; accessible Korvid names "check box")
for tip in 启动新窗口 后退 前进 高清电影 电影收藏夹 电影观看历史 电视直播频道 电视连续剧场 \
    音乐广播电台 "显示/隐藏 侧边栏" 关闭显示器 关闭声音 下载风景图片 页面编辑 系统工具; do
    grep -qxF "$tip" <<<"$names" || fail "no toolbar button named '$tip': $names"
done

# ---- 9. Captions of the dialogs, with nothing appended ---------------------------------------

# 系统工具 pops up its menu; its accelerators open the two dialogs.
for entry in "t 定时关机" "s 系统设置"; do
    read -r key caption <<<"$entry"
    click_widget "push button" "系统工具"
    sleep 1
    xdotool key "$key"
    dialog=$(wait_for_caption "$caption") || exit 1
    expect_no_maximise "$dialog" "$caption"
    screenshot "dialog-$key"
    xdotool key Escape
done

# The favourites menu: its first entry adds, its second organises.
click_widget "push button" "电影收藏夹"
sleep 1
xdotool key Down Return
favorite=$(wait_for_caption "添加到收藏夹") || exit 1
expect_no_maximise "$favorite" "添加到收藏夹"
click_widget "push button" "新建目录"
input=$(wait_for_caption "新建目录") || exit 1
expect_no_maximise "$input" "新建目录"
screenshot input-box
xdotool key Escape
sleep 0.5
xdotool key Escape
click_widget "push button" "电影收藏夹"
sleep 1
xdotool key Down Down Return
wait_for_caption "整理收藏夹" >/dev/null || exit 1
xdotool key Escape
sleep 0.5

# ---- 10. Monitor off leaves DPMS as it was --------------------------------------------------

if grep -q 'does not have the DPMS Extension' <<<"$dpms_before"; then
    # Xvfb has no DPMS: the command finds nothing to do and changes nothing.
    click_widget "push button" "关闭显示器"
    sleep 1
    [[ $(xset q | sed -n '/DPMS/,$p') == "$dpms_before" ]] || fail "DPMS changed without DPMS"
    echo "note: this X server has no DPMS; monitor off checked for doing nothing"
else
    xset -dpms
    click_widget "push button" "关闭显示器"
    sleep 2
    xset q | grep -q 'Monitor is Off' || xset q | grep -q 'Monitor is in Standby' ||
        fail "monitor not turned off: $(xset q | sed -n '/DPMS/,$p')"
    xdotool mousemove_relative 5 5
    for _ in $(seq 30); do
        xset q | grep -q 'DPMS is Disabled' && break
        sleep 0.5
    done
    xset q | grep -q 'DPMS is Disabled' || fail "DPMS left enabled: $(xset q | sed -n '/DPMS/,$p')"
fi
kill -0 "$korvid" || fail "Korvid gone after monitor off"

# Closing the main window releases the inhibition.
wmctrl -i -c "$main"
wait_for_line "$inhibitions" '^UnInhibit' 20 3 || fail "inhibition kept after the close"
kill -0 "$korvid" || fail "Korvid ended with its tray icon up"

# ---- 7. The AutoRun mark follows the log-on entry --------------------------------------------

autostart="$XDG_CONFIG_HOME/autostart/Radio.desktop"
[[ -f "$autostart" ]] || fail "no log-on entry after the first start"
xdotool mousemove "$icon_x" "$icon_y" click 3
sleep 1.5
entry=$(read_menu Down | grep -P '\t开机自动运行\t')
[[ $entry == *checked* ]] || fail "AutoRun unmarked with the entry there: $entry"
xdotool key Escape
sleep 0.5
rm "$autostart"
xdotool mousemove "$icon_x" "$icon_y" click 3
sleep 1.5
entry=$(read_menu Down | grep -P '\t开机自动运行\t')
[[ -n $entry && $entry != *checked* ]] || fail "AutoRun still marked after the entry went: $entry"
screenshot tray-autorun
xdotool key Escape
sleep 0.5

# ---- 8. "我的电脑" lists what is mounted as the menu opens ------------------------------------

# Mounting needs root, and a container may forbid it even to root.
volume=/media/lumera-e2e-$$
if [[ $EUID -eq 0 ]] && mkdir -p "$volume" && mount -t tmpfs -o size=1m lumera-e2e "$volume"; then
    trap 'umount "$volume" 2>/dev/null; rmdir "$volume" 2>/dev/null; e2e_cleanup' EXIT
else
    rmdir "$volume" 2>/dev/null || true
    volume=""
fi
xdotool mousemove "$icon_x" "$icon_y" click 3
sleep 1.5
# "我的电脑" is the fifth entry; Right opens it.
xdotool key Down Down Down Down Down
drives=$(read_menu Right | cut -f2)
screenshot tray-drives
if [[ -n $volume ]]; then
    grep -qxF "【$volume】" <<<"$drives" || fail "volume mounted after start-up not listed: $drives"
else
    echo "note: no volume could be mounted here; drives listed: $drives"
fi
xdotool key Escape Escape
sleep 0.5

exit_from_tray_menu tray-menu
echo "PASS: korvid desktop"
