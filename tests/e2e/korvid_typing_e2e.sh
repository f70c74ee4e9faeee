#!/bin/bash
# Typing into Korvid's main window is never cut off: not by the focus move two seconds after a
# page completes, in the search box or in a field of the page, and not by coming back from
# another application. A new window does not start in the engine box.
source "$(dirname "$0")/lib.sh"

# Two station pages on a loopback server. Each has a text field whose text the page shows in
# its title, and so in the window's caption.
vendor_pages
station() {
    cat >"$www/radio/$1" <<EOF
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>$2</title>
<style>body{margin:0;font:16px sans-serif;background:#fdf6ec}
#q{position:absolute;left:20px;top:100px;width:300px;height:30px;font-size:18px}</style></head>
<body><h1 style="margin:20px">$2</h1><input id="q" placeholder="留言">
<script>q.oninput = function () { document.title = "Q:" + q.value; };</script></body></html>
EOF
}
station index.html 环球音乐电台
station playerpop.htm 都市流行音乐
# A second application to switch to.
background xmessage -name other -geometry 360x80+700+300 "另一个程序"
start_korvid_on_radio_page 环球音乐电台

caption() { xdotool getwindowname "$window"; }
# Opens a station from the radio directory: a fresh page completes in the pane.
open_station() {
    click_widget "table cell" "$1" 30 2
    wait_caption "$window" "$2 - Lumera桌面" 30 || fail "station '$1' did not open: $(caption)"
}

# --- The search box, clicked right after a station completes ------------------------------
open_station 都市流行音乐频道 都市流行音乐
click_widget "combo box" "电影名称 / 演员姓名" 40
xdotool key ctrl+a
# Half the word before the page's two seconds are up, half after.
xdotool type --delay 150 "abcdef"
sleep 2.5
xdotool type --delay 150 "ghijkl"
sleep 0.5
boxes=$(accessible Korvid names "combo box")
grep -qx abcdefghijkl <<<"$boxes" || fail "search box holds $(tr '\n' '|' <<<"$boxes")"

# --- A field of the page --------------------------------------------------------------------
open_station 怀旧金曲音乐频道 环球音乐电台
# The field lies 100 px below the top of the pane, which starts under the toolbar.
widget_box "tool bar" "" || fail "no toolbar"
xdotool mousemove "$((bx + 150))" "$((by + bh + 3 + 115))" click 1
xdotool type --delay 150 "abcdef"
sleep 2.5
xdotool type --delay 150 "ghijkl"
wait_caption "$window" "Q:abcdefghijkl - Lumera桌面" 10 || fail "page field got '$(caption)'"

# --- Another application and back is no activation ------------------------------------------
# Alt+Tab to the other program and back, as a user switches.
switch_away_and_back() {
    local active
    xdotool key alt+Tab
    for _ in $(seq 30); do
        active=$(xdotool getactivewindow 2>/dev/null || true)
        [[ -n $active && $active != "$window" ]] && break
        sleep 0.2
    done
    [[ $(xdotool getwindowname "$active" 2>/dev/null) == other ]] ||
        fail "Alt+Tab did not reach the other program"
    sleep 0.5
    xdotool key alt+Tab
    for _ in $(seq 30); do
        [[ $(xdotool getactivewindow 2>/dev/null) == "$window" ]] && break
        sleep 0.2
    done
    [[ $(xdotool getactivewindow 2>/dev/null) == "$window" ]] || fail "Alt+Tab did not come back"
    sleep 1
}
switch_away_and_back
xdotool type --delay 100 "mn"
wait_caption "$window" "Q:abcdefghijklmn - Lumera桌面" 10 || fail "typing after coming back got '$(caption)'"
# Also where the activation would move the focus: the directory tree.
click_widget "table cell" "音乐电台精选" 30
sleep 0.5
focused=$(accessible Korvid focused)
[[ $focused == *$'tree\t'* ]] || fail "tree did not take the focus: $(tr '\n' '|' <<<"$focused")"
switch_away_and_back
focused=$(accessible Korvid focused)
[[ $focused == *$'tree\t'* && $focused != *Combo1* ]] ||
    fail "focus left the tree on coming back: $(tr '\n' '|' <<<"$focused")"
screenshot typed

# --- A new window starts in the browser pane, first in tab order -----------------------------
click_widget "push button" 启动新窗口
for _ in $(seq 100); do
    (($(main_windows | wc -l) == 2)) && break
    sleep 0.3
done
(($(main_windows | wc -l) == 2)) || fail "no new window"
# The keys below go to the new window once the window manager has made it the active one.
for _ in $(seq 100); do
    active=$(xdotool getactivewindow 2>/dev/null || true)
    [[ -n $active && $active != "$window" ]] && main_windows | grep -qx "$active" && break
    sleep 0.1
done
# At once, before its page completes: the keys do not land in the engine box.
focused=$(accessible Korvid focused)
[[ $focused != *百度电影* ]] || fail "a new window starts in the engine box"
# The browser pane comes first in tab order: Tab goes through the page's field, then on to
# the engine box.
xdotool key Tab
sleep 0.3
xdotool key Tab
sleep 0.5
focused=$(accessible Korvid focused)
[[ $focused == *$'combo box\t百度电影'* ]] ||
    fail "Tab in a new window went to $(tr '\n' '|' <<<"$focused")"
screenshot new-window
new_window=$(xdotool getactivewindow)
[[ $new_window != "$window" ]] || fail "the new window is not the active one"
wmctrl -i -c "$new_window"

echo "PASS: korvid typing"
