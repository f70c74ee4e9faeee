#!/bin/bash
# Korvid's main window at every width, its directory tree's blank space, and the two small
# dialogs of its "系统工具" menu, driven with the mouse and keys.
source "$(dirname "$0")/lib.sh"

vendor_pages
cat >"$www/radio/index.html" <<'EOF'
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>环球音乐电台</title></head>
<body style="background:#fdf6ec"><h1>环球音乐电台</h1><p>正在播放：怀旧金曲</p></body></html>
EOF
start_korvid_on_radio_page 环球音乐电台

# --- A double-click on blank tree space opens nothing -----------------------------------------
# The channel directory, whose leaves open in new windows.
click_widget "push button" 高清电影
widget_box "table cell" "迅雷电影" || fail "no channel directory"
click_widget "table cell" "迅雷电影"
widget_box tree "" || fail "no tree"
tree_x=$bx tree_bottom=$((by + bh))
widget_box "table cell" "迅雷电影"
# Left of the selected leaf, and beside the last row at the bottom.
xdotool mousemove "$((tree_x + 5))" "$((by + bh / 2))" click --repeat 2 --delay 80 1
xdotool mousemove "$((tree_x + 5))" "$((tree_bottom - 8))" click --repeat 2 --delay 80 1
sleep 3
(($(main_windows | wc -l) == 1)) || fail "a double-click on blank tree space opened a window"
# On the leaf itself it does.
click_widget "table cell" "迅雷电影" 30 2
for _ in $(seq 60); do
    (($(main_windows | wc -l) == 2)) && break
    sleep 0.3
done
(($(main_windows | wc -l) == 2)) || fail "a double-click on the leaf opened no window"
wmctrl -i -c "$(xdotool getactivewindow)"
for _ in $(seq 60); do
    (($(main_windows | wc -l) == 1)) && break
    sleep 0.3
done

# --- The scheduled-shutdown dialog refuses a time that never comes -----------------------------
# Opens "系统工具" and picks an entry by its underlined letter.
open_tool() {
    click_widget "push button" 系统工具
    sleep 1
    xdotool key "$1"
}
# With the switch ticked, OK brings up a message box and the dialog stays open.
expect_refusal() {
    local dialogs
    click_widget "push button" "确定(Y)"
    wait_for_window '^Lumera桌面$' 20 >/dev/null || fail "no message box for the time $1"
    [[ $(accessible Korvid names label) == *无效* ]] || fail "the message box does not say why"
    screenshot "refused-${1/:/-}"
    xdotool key Return
    sleep 1
    dialogs=$(xdotool search --onlyvisible --name '^定时关机' | wc -l)
    ((dialogs == 1)) || fail "the dialog closed after the time $1"
    if xdotool search --onlyvisible --name '^Lumera桌面$' >/dev/null; then
        fail "the message box stays"
    fi
}
open_tool t # 定时关机(&T)
wait_for_window '^定时关机' 20 >/dev/null || fail "no shutdown dialog"
sleep 1
# The first opening shows "13" and no minutes.
click_widget "check box" "启动定时关机"
expect_refusal "13:"
click_widget "combo box" "13"
xdotool key ctrl+a
xdotool type "25"
click_widget "combo box" ""
xdotool type "ab"
expect_refusal "25:ab"
ini="$XDG_CONFIG_HOME/Lumera/cinema.ini"
! grep -q '^timeset=' "$ini" || fail "a time that never comes was stored"
# A time that comes is taken.
click_widget "combo box" "25"
xdotool key ctrl+a
xdotool type "22"
click_widget "combo box" "ab"
xdotool key ctrl+a
xdotool type "15"
click_widget "push button" "确定(Y)"
for _ in $(seq 30); do
    xdotool search --onlyvisible --name '^定时关机' >/dev/null || break
    sleep 0.3
done
grep -qx 'timeset=22:15' "$ini" || fail "the time was not stored"
grep -qx 'Enable=1' "$ini" || fail "the switch was not stored"

# --- The settings dialog shows the home page read-only -----------------------------------------
open_tool s # 系统设置(&S)
wait_for_window '^系统设置' 20 >/dev/null || fail "no settings dialog"
sleep 1
home=$(accessible Korvid tree | awk '/'"'"'首页：'"'"'/ {found = 1; next} found && $1 == "text" {print; exit}')
[[ -n $home ]] || fail "no home page box"
[[ $home == *"read only"* ]] || fail "the home page box is editable: $home"
screenshot settings
xdotool key Escape

# --- The search bar is whole and inside the window at every width -----------------------------
restore() { wmctrl -i -r "$window" -b remove,maximized_vert,maximized_horz; }
maximise() { wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz; }
# Waits until the window is that wide.
wait_width() {
    local width
    for _ in $(seq 50); do
        eval "$(xdotool getwindowgeometry --shell "$window")"
        ((WIDTH == $1)) && return 0
        sleep 0.2
    done
    fail "window did not become $1 wide (is $WIDTH)"
}
search_bar_inside() {
    local role name X Y WIDTH HEIGHT
    sleep 1.5
    # The window's client area as the accessibility bus places it.
    widget_box filler "$(xdotool getwindowname "$window")" || fail "no main window"
    X=$bx Y=$by WIDTH=$bw HEIGHT=$bh
    for control in "combo box|百度电影" "combo box|电影名称 / 演员姓名" "push button|搜索(S)"; do
        role=${control%|*} name=${control#*|}
        widget_box "$role" "$name" || fail "no $name at width $WIDTH"
        ((bx >= X && by >= Y && bx + bw <= X + WIDTH && by + bh <= Y + HEIGHT)) ||
            fail "$name at $bx,$by ${bw}x$bh is not inside the window $X,$Y ${WIDTH}x$HEIGHT"
    done
}
restore
for width in 1600 1100 900 787 1050; do
    xdotool windowsize "$window" "$width" 640
    wait_width "$width"
    search_bar_inside
    ((width == 787)) && screenshot narrow
done
maximise
wait_width "$(xdotool getdisplaygeometry | cut -d' ' -f1)"
search_bar_inside
restore
wait_width 1050
search_bar_inside
screenshot restored
echo "PASS: korvid window"
