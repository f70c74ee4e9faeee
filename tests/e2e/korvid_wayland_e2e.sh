#!/bin/bash
# Korvid in a sway session on a headless output, as an ordinary user: natively on Qt's wayland
# platform, then on XWayland. Its item registers with the bar's notification area, whose
# activation brings up the main window and nothing else of the program, which natively holds an
# idle inhibitor on its surface; 关闭显示器 powers the output off until a key press and until a
# pointer move (a second key where sway disables the output), while an idle inhibitor is active
# (Korvid's own, or on XWayland another window's that a rule of sway's sets); a toolbar page and
# every dialog open and close; closing the window and SIGTERM end it with status 0 and the page
# in his.dat.
# Without a bar (natively) the main window comes up by itself, and closing it ends Korvid.
source "$(dirname "$0")/lib.sh"

desktop_user
desktop_bus
vendor_pages
page() {
    printf '<!DOCTYPE html><html lang="zh-CN"><head><meta charset="utf-8"><title>%s</title></head><body style="background:#eef6ff"><h1>%s</h1></body></html>' \
        "$2" "$2" >"$www/$1/index.html"
}
page radio 晨曦音乐台
mkdir -p "$www/live"
page live 电视直播频道
start_http_server "$www"
# shellcheck disable=SC2046
XDG_CONFIG_HOME=$DESKTOP_HOME/.config point_sites_at "$HTTP_ORIGIN" $(portal_services)
desktop_owns_home
# The history is in the program folder where the desktop user may write there, else in the
# user's data folder.
histories=("$LUMERA_PROGRAM_DIR/his.dat" "$DESKTOP_HOME/.local/share/Lumera/his.dat")

korvid_accessible() {
    as_desktop_user /usr/bin/python3 "$LUMERA_SOURCE_DIR/tests/e2e/accessible.py" Korvid "$@"
}
# Presses a widget of Korvid's through the accessibility bus.
press() {
    korvid_accessible press "$1" "$2" || fail "no $1 '$2' to press"
}
# The top left corner of the inside of sway's window of that name, as "x y".
window_origin() {
    on_sway swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("name") == sys.argv[1]:
        print(node["rect"]["x"] + node["window_rect"]["x"], node["rect"]["y"] + node["window_rect"]["y"])
        raise SystemExit
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$1"
}
# Clicks a widget of Korvid's with sway's pointer, in the window named (the main window unless
# given). On Qt's wayland platform a widget knows its place in its window only, on XWayland its
# place on the screen. The places are looked up once a pass: the windows stay where they are.
declare -A places
click() {
    local key="$SWAY_QPA $1 $2" x y w h left=0 top=0
    if [[ -z ${places[$key]:-} ]]; then
        places[$key]=$(korvid_accessible find "$1" "$2") || fail "no $1 '$2' to click"
        [[ $SWAY_QPA == wayland ]] && read -r left top < <(window_origin "${3:-$main}")
        read -r x y w h <<<"${places[$key]}"
        places[$key]="$((left + x + w / 2)) $((top + y + h / 2))"
    fi
    on_sway swaymsg "seat - cursor set ${places[$key]}, seat - cursor press button1," \
        "seat - cursor release button1" >/dev/null
}
# The screen as grim takes it, into the test's output as NAME.png.
sway_screenshot() {
    on_sway grim "$DESKTOP_HOME/sway.png"
    cp "$DESKTOP_HOME/sway.png" "$E2E_OUTPUT/$1.png"
}
# The names of every window on sway, one a line.
sway_windows() {
    on_sway swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("pid"):
        print(node.get("name"))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
# "on" or "off": the headless output's power as sway reports it. sway 1.7 reports none, and
# its wlroots cannot switch a headless output off: there, what sway last did with the output's
# power, from its log.
output_power() {
    local power
    power=$(on_sway swaymsg -t get_outputs | python3 -c '
import json, sys
print({True: "on", False: "off"}.get(json.load(sys.stdin)[0].get("power"), ""))')
    [[ -n $power ]] || power=$(grep -oE 'Turning (on|off) output' "$SWAY_LOG" | tail -1 | cut -d' ' -f2)
    echo "$power"
}
# Whether sway turned the headless output off by disabling it (from 1.10: its "power" is the
# output's being enabled), rather than only blanking it.
output_disabled() {
    [[ $(on_sway swaymsg -t get_outputs | python3 -c '
import json, sys
print(json.load(sys.stdin)[0].get("power"))') == False ]]
}
wait_for_power() {
    for _ in $(seq 50); do
        [[ $(output_power) == "$1" ]] && return 0
        sleep 0.2
    done
    fail "the output's power is not $1 ${2:-}"
}
# Waits for the window of that caption, which the action named brought.
expect_dialog() {
    wait_for_node "$1" 20 || {
        sway_screenshot "$SWAY_QPA-no-dialog"
        fail "no dialog '$1' after $2: $(sway_windows)"
    }
}
# Closes the dialog of that caption with Escape.
close_dialog() {
    on_sway wtype -s 500 -k Escape
    for _ in $(seq 30); do
        [[ -z $(sway_node "$1") ]] && return 0
        sleep 0.2
    done
    fail "the dialog '$1' stays after Escape"
}
# Opens a dialog with the keys given after clicking a toolbar button (its menu's entry).
open_dialog() {
    local button=$1 caption=$2
    shift 2
    click "push button" "$button"
    # A new keyboard's keymap reaches the program first.
    on_sway wtype -s 500 -d 100 "$@"
    expect_dialog "$caption" "$button $*"
}
dialog() {
    open_dialog "$@"
    close_dialog "$2"
}
# Waits for Korvid's main window, on whichever page it opens, once the page's title has come
# (before, it shows the address); sets main to its name.
wait_for_main_window() {
    local deadline=$((SECONDS + 60))
    while ((SECONDS < deadline)); do
        main=$(sway_windows | grep -v '^http' | grep -m1 ' - Lumera桌面$' || true)
        [[ -n $main ]] && return 0
        sleep 0.3
    done
    fail "no main window $1: $(sway_windows)"
}
# Korvid's own status, once it has ended.
korvid_status() {
    wait_for_exit "$korvid" 30 || fail "Korvid did not end ($1)"
    local status=0
    wait "$korvid_shell" || status=$?
    ((status == 0)) || fail "Korvid ended with status $status ($1)"
}
start_korvid_on_sway() {
    desktop_background on_sway "$LUMERA_PROGRAM_DIR/Korvid"
    korvid=$LAST_PID
    korvid_shell=$LAST_SHELL
}

# One pass on Qt's platform given: "wayland" (sway without XWayland) or "xcb" (on XWayland).
session() {
    SWAY_QPA=$1
    local xwayland="xwayland disable"
    [[ $SWAY_QPA == xcb ]] && xwayland="xwayland enable"
    echo "$SECONDS s, $SWAY_QPA: the notification area's item and the main window"
    start_sway "$xwayland" "bar {" "  position top" "  tray_output *" "}" \
        'for_window [title="^lumera-film$"] floating enable, inhibit_idle open'
    # A keyboard that is there all along, as a real seat's is (it would press Shift after ten
    # minutes): a program learns of a keyboard only once the seat has one, and a keyboard made
    # for one key, as wtype's is, has sent its key by then.
    desktop_background on_sway wtype -s 600000 -k Shift_L
    SWAY_DISPLAY=""
    if [[ $SWAY_QPA == xcb ]]; then
        on_sway swaymsg exec "'printenv DISPLAY >$DESKTOP_RUNTIME/display'" >/dev/null
        for _ in $(seq 20); do
            [[ -s $DESKTOP_RUNTIME/display ]] && break
            sleep 0.2
        done
        SWAY_DISPLAY=$(cat "$DESKTOP_RUNTIME/display")
        rm "$DESKTOP_RUNTIME/display"
        [[ -n $SWAY_DISPLAY ]] || fail "no XWayland display"
    fi
    rm -f "${histories[@]}"
    # The remembered page of the pass before goes: the main window opens on the radio page.
    if [[ -f $DESKTOP_HOME/.config/Lumera/cinema.ini ]]; then
        sed -i '/^PingDao=/d' "$DESKTOP_HOME/.config/Lumera/cinema.ini"
    fi
    start_korvid_on_sway
    activate_bar_item
    wait_for_main_window "after Activate"
    [[ $main == "晨曦音乐台 - Lumera桌面" ]] || fail "the main window is not on the radio page: $main"
    sleep 2
    [[ $(sway_windows) == "$main" ]] || fail "windows besides the main window: $(sway_windows)"
    sway_screenshot "$SWAY_QPA-main-window"
    expect_no_opengl_driver "$korvid" "$SWAY_QPA"
    # The page's background fills much of the screen.
    local share
    share=$(convert "$E2E_OUTPUT/$SWAY_QPA-main-window.png" -alpha off -fill black +opaque '#eef6ff' \
        -fill white -opaque '#eef6ff' -format '%[fx:int(mean*100)]' info:)
    ((share > 15)) || fail "the radio page covers $share % of the screen"

    echo "$SECONDS s, $SWAY_QPA: 关闭显示器 until a key, then until a pointer move, with idleness inhibited"
    if [[ $SWAY_QPA == wayland ]]; then
        for _ in $(seq 20); do
            [[ $(sway_node "$main") == *inhibiting ]] && break
            sleep 0.2
        done
        [[ $(sway_node "$main") == *inhibiting ]] || fail "the main window holds no idle inhibitor"
    else
        # A film in another program's window over Korvid's, which sway keeps idleness away for.
        desktop_background on_sway xmessage -name lumera-film "film"
        wait_for_node lumera-film 20 || fail "no window for the film: $(sway_windows)"
        [[ $(sway_node lumera-film) == *inhibiting ]] || fail "sway's rule inhibits nothing"
    fi
    press "push button" 关闭显示器
    wait_for_power off "after 关闭显示器"
    sleep 0.5
    on_sway wtype -k Shift_L
    wait_for_power on "after a key"
    press "push button" 关闭显示器
    wait_for_power off "after 关闭显示器 again"
    if ! output_disabled; then
        on_sway "$(dirname "$LUMERA_BUILT_PROGRAM_DIR")/tests/wayland_pointer" 1
        wait_for_power on "after a pointer move"
    else
        # A disabled output shows no surface for the pointer to be over: what inhibits
        # idleness keeps the idle notification quiet, and a key is what brings it back.
        echo "the output is disabled while off: a key again instead of a pointer move"
        sleep 0.5
        on_sway wtype -k Shift_L
        wait_for_power on "after a second key"
    fi

    echo "$SECONDS s, $SWAY_QPA: a toolbar page and the dialogs"
    press "push button" 电视直播频道
    main="电视直播频道 - Lumera桌面"
    wait_for_node "$main" 30 || fail "no television page: $(sway_windows)"
    dialog 系统工具 定时关机 t
    dialog 系统工具 系统设置 s
    open_dialog 电影收藏夹 添加到收藏夹 -k Down -k Return
    click "push button" 新建目录 添加到收藏夹
    expect_dialog 新建目录 新建目录
    close_dialog 新建目录
    close_dialog 添加到收藏夹
    dialog 电影收藏夹 整理收藏夹 -k Down -k Down -k Return
    dialog 页面编辑 "关于 Lumera桌面" -k Up -k Return

    echo "$SECONDS s, $SWAY_QPA: the close keeps it in the notification area, SIGTERM ends it"
    on_sway swaymsg "[title=\"$main\"] kill" >/dev/null
    sleep 2
    kill -0 "$korvid" 2>/dev/null || fail "Korvid ended with its window while in the notification area"
    kill "$korvid"
    korvid_status SIGTERM
    local history
    history=$(cat "${histories[@]}" 2>/dev/null | iconv -f GB18030 -t UTF-8 || true)
    grep -q 电视直播频道 <<<"$history" || fail "his.dat lacks the page's row: $history"
}

# The bar, which holds the notification area, goes; Korvid started anew brings up its main
# window by itself, and closing that ends it.
window_fallback() {
    echo "$SECONDS s, $SWAY_QPA: without a notification area the window comes up, and its close ends Korvid"
    local bar
    bar=$(as_desktop_user gdbus call --session --dest org.freedesktop.DBus \
        --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.GetConnectionUnixProcessID \
        org.kde.StatusNotifierWatcher | grep -oE '[0-9]+' | tail -1)
    kill "$bar"
    sleep 1
    start_korvid_on_sway
    wait_for_main_window "without a bar"
    on_sway swaymsg "[title=\"$main\"] kill" >/dev/null
    korvid_status "the close without a notification area"
}

session wayland
window_fallback
stop_sway
session xcb
stop_sway
echo "$SECONDS s in all"
echo "1 passed, 0 failed"
