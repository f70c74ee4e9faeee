#!/bin/bash
# Shared helpers of the end-to-end tests. They run under scripts/test-env.sh display, so
# HOME, XDG_CONFIG_HOME and the session bus are private and DISPLAY is a virtual X server.
set -euo pipefail

: "${LUMERA_PROGRAM_DIR:?}" "${LUMERA_SOURCE_DIR:?}"
E2E_OUTPUT=${LUMERA_E2E_OUTPUT:-/tmp/lumera-e2e}/$(basename "$0" .sh)
mkdir -p "$E2E_OUTPUT"
# Window names and widget texts are Chinese: the tools that read them need a UTF-8 locale,
# whatever the caller runs with.
export LC_ALL=C.UTF-8
E2E_PIDS=()
E2E_FOLDERS=()

# The pids of a process's children, grandchildren and so on.
descendants() {
    local child
    for child in $(pgrep -P "$1"); do
        descendants "$child"
        echo "$child"
    done
}

# Ends a program and everything it started, the children first.
stop_tree() {
    # shellcheck disable=SC2046
    kill $(descendants "$1") "$1" 2>/dev/null || true
}

e2e_cleanup() {
    # What a background program started (an engine's savers, a compositor's clients) goes
    # first, so that nothing is left holding the test's output.
    for pid in "${E2E_PIDS[@]}"; do
        stop_tree "$pid"
    done
    wait 2>/dev/null || true
    if ((${#E2E_FOLDERS[@]})); then
        rm -rf "${E2E_FOLDERS[@]}"
    fi
}
trap e2e_cleanup EXIT

# The programs run from a copy of the built program folder, so whatever they write there
# (his.dat, history.html, sys/, temp/) never lands in the build. LUMERA_BUILT_PROGRAM_DIR
# keeps the build's own folder for the tests that need it.
LUMERA_BUILT_PROGRAM_DIR=$LUMERA_PROGRAM_DIR
LUMERA_PROGRAM_DIR=$(mktemp -d "${TMPDIR:-/tmp}/lumera-program.XXXXXX")
E2E_FOLDERS+=("$LUMERA_PROGRAM_DIR")
cp -a "$LUMERA_BUILT_PROGRAM_DIR/." "$LUMERA_PROGRAM_DIR/"
# A build folder that a run of an older harness wrote into still starts every test afresh.
rm -rf "${LUMERA_PROGRAM_DIR:?}"/{his.dat,history.html,Fav.rar,Favorites,sys,temp}

fail() {
    echo "FAIL: $*" >&2
    screenshot failure || true
    exit 1
}

# Makes a temporary folder that the clean-up removes; sets the variable named to its path.
temp_folder() {
    local -n folder=$1
    folder=$(mktemp -d)
    E2E_FOLDERS+=("$folder")
}

# Runs a command in the background and remembers it for the clean-up.
background() {
    "$@" &
    E2E_PIDS+=($!)
    LAST_PID=$!
}

# Virtual X servers besides the test's own (start_virtual_display).
source "$LUMERA_SOURCE_DIR/scripts/virtual-display.sh"

# A tray that QSystemTrayIcon docks into.
start_tray() {
    background trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
        --transparent false --tint 0x303030 --SetDockType true
    sleep 1
}

# A port on 127.0.0.1 that nothing listens on.
free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

# Serves a folder on 127.0.0.1; sets HTTP_ORIGIN to its address. Its log, one request line a
# request as the program sent it, is $HTTP_LOG.
HTTP_LOG=$E2E_OUTPUT/http.log
start_http_server() {
    local folder=$1
    local port
    port=$(free_port)
    : >"$HTTP_LOG"
    background python3 -m http.server "$port" --bind 127.0.0.1 --directory "$folder" 2>>"$HTTP_LOG"
    HTTP_ORIGIN="http://127.0.0.1:$port"
    for _ in $(seq 50); do
        curl -s -o /dev/null "$HTTP_ORIGIN/" 2>/dev/null && return 0
        python3 -c "import urllib.request; urllib.request.urlopen('$HTTP_ORIGIN/')" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "web server did not start"
}

# Points every listed service at one origin in sites.ini.
point_sites_at() {
    local origin=$1
    shift
    mkdir -p "$XDG_CONFIG_HOME/Lumera"
    for service in "$@"; do
        echo "$service=$origin" >>"$XDG_CONFIG_HOME/Lumera/sites.ini"
    done
}

# Every service the portal knows: those named in its sources and those of its site tables.
portal_services() {
    {
        grep -rhoE 'Service = QStringLiteral\("[^"]+"\)' "$LUMERA_SOURCE_DIR/portal" |
            sed -E 's/.*\("([^"]+)"\)/\1/'
        find "$LUMERA_SOURCE_DIR/portal" -name '*Sites.tsv' -exec grep -hvE '^#|^[[:space:]]*$' {} + | cut -f1
    } | sort -u
}

# The programs find the power-off and sound commands through PATH: in a test they only
# write what they were asked to do into $E2E_OUTPUT/commands.log.
E2E_COMMANDS=$(mktemp -d "${TMPDIR:-/tmp}/lumera-commands.XXXXXX")
E2E_FOLDERS+=("$E2E_COMMANDS")
for command in systemctl shutdown poweroff pactl wpctl; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/commands.log"\n' "$command" "$E2E_OUTPUT" >"$E2E_COMMANDS/$command"
    chmod +x "$E2E_COMMANDS/$command"
done
rm -f "$E2E_OUTPUT/commands.log"
export PATH=$E2E_COMMANDS:$PATH

# Qt puts its widgets on the accessibility bus that screen readers read.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Reads the widgets of a running program from that bus: see accessible.py for the commands.
accessible() {
    /usr/bin/python3 "$LUMERA_SOURCE_DIR/tests/e2e/accessible.py" "$@"
}

# Sets bx by bw bh to the screen box of Korvid's first showing widget of that role and name.
# shellcheck disable=SC2034
widget_box() {
    local found
    found=$(accessible Korvid find "$1" "$2") || return 1
    read -r bx by bw bh <<<"$found"
}
# Clicks that widget of Korvid, at x pixels from its left edge when given; a count of clicks
# above one makes a double-click.
click_widget() {
    widget_box "$1" "$2" || fail "no $1 '$2'"
    xdotool mousemove "$((bx + ${3:-bw / 2}))" "$((by + bh / 2))" click --repeat "${4:-1}" --delay 80 1
}
# Waits until the window's caption is the text given.
wait_caption() {
    local window=$1 want=$2 deadline=$((SECONDS + ${3:-30}))
    while ((SECONDS < deadline)); do
        [[ $(xdotool getwindowname "$window" 2>/dev/null) == "$want" ]] && return 0
        sleep 0.1
    done
    return 1
}
screenshot() {
    import -window root "$E2E_OUTPUT/$1.png"
    echo "screenshot: $E2E_OUTPUT/$1.png"
}

# Waits until a visible window whose name matches the pattern exists; prints its id.
wait_for_window() {
    local pattern=$1 timeout=${2:-30}
    local deadline=$((SECONDS + timeout))
    while ((SECONDS < deadline)); do
        local id
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.3
    done
    return 1
}

# The ids of Korvid's visible main windows, one a line.
main_windows() {
    xdotool search --onlyvisible --name ' - Lumera桌面$' 2>/dev/null || true
}

# Runs the command until it succeeds, its output put aside, for WAIT_SECONDS (60 unless set)
# at most: long enough for a machine busy with other tests, and no longer for a passing run.
wait_until() {
    local deadline=$((SECONDS + ${WAIT_SECONDS:-60}))
    while ((SECONDS < deadline)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}
# Whether the screen shows more than one colour: saves it as the screenshot named.
screen_drawn() {
    import -window root "$E2E_OUTPUT/$1.png" &&
        [[ $(convert "$E2E_OUTPUT/$1.png" -format '%[fx:standard_deviation>0.02]' info:) == 1 ]]
}
# Red and blue means of a screenshot taken before, or of a part of it (WxH+X+Y).
red_blue() { convert "$E2E_OUTPUT/$1.png" ${2:+-crop "$2"} -format '%[fx:mean.r] %[fx:mean.b]\n' info:; }
warm() { awk -v r="$1" -v b="$2" 'BEGIN { exit !(r > 0.3 && r > b) }'; }
# Waits until the screen (or a part of it) shows the sunset page: warm, more red than blue.
wait_for_sunset() {
    local deadline=$((SECONDS + 60)) r b
    while ((SECONDS < deadline)); do
        screenshot "$1" >/dev/null
        read -r r b < <(red_blue "$1" "${2:-}")
        warm "$r" "$b" && return 0
        sleep 1
    done
    fail "$1: no sunset page in view ($r, $b)"
}
# On a machine without a graphics processor (no DRM node, no NVIDIA driver, as Korvid decides
# it), Korvid (the pid given, or a process that started it) draws its pages without loading a
# software OpenGL driver.
expect_no_opengl_driver() {
    compgen -G '/dev/dri/renderD*' >/dev/null || compgen -G '/dev/dri/card*' >/dev/null ||
        [[ -e /dev/nvidiactl ]] && return 0
    local p
    for p in "$1" $(descendants "$1"); do
        [[ $(cat "/proc/$p/comm" 2>/dev/null) == Korvid ]] || continue
        if grep -E '_dri\.so|libLLVM|libEGL_mesa|libvulkan_' "/proc/$p/maps"; then
            fail "Korvid loaded an OpenGL driver on a machine without a graphics processor ($2)"
        fi
        return 0
    done
    fail "no Korvid under process $1 ($2)"
}
# Runs the command given, which ends the program of that pid (an engine's end, a signal), and
# waits until the program and every process it started are gone. Prints the time taken (the
# longest so far is in GONE_SLOWEST): the programs end within a second. The case fails only
# when any is left three seconds after, which an end that was lost or never came is, and a
# busy two-core machine running the engines' savers at a lower priority is not.
GONE_SLOWEST=0
expect_gone() {
    local what=$1 pid=$2 tree started elapsed left
    shift 2
    tree="$pid $(descendants "$pid")"
    started=$EPOCHREALTIME
    "$@"
    while :; do
        # What it starts while it ends is counted too.
        kill -0 "$pid" 2>/dev/null && tree+=" $(descendants "$pid")"
        elapsed=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')
        # A process that has ended and waits for its parent to read its status counts as gone.
        # shellcheck disable=SC2086
        left=$(ps -o pid=,stat=,comm= -p "$(echo $tree | tr ' ' ',')" | awk '$2 !~ /^Z/') || true
        [[ -n $left ]] || break
        awk -v e="$elapsed" 'BEGIN { exit !(e > 3) }' &&
            fail "$what: still running $elapsed s after the end was asked for: $left"
        sleep 0.02
    done
    echo "$what: gone in $elapsed s"
    GONE_SLOWEST=$(awk -v a="$GONE_SLOWEST" -v b="$elapsed" 'BEGIN { print (b > a ? b : a) }')
}

# Waits until a process is gone.
wait_for_exit() {
    local pid=$1 timeout=${2:-15}
    local deadline=$((SECONDS + timeout))
    while ((SECONDS < deadline)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.2
    done
    return 1
}

# A window manager, a tray and Korvid (the program given, else the copy's own) with its icon
# docked: sets korvid to its pid and icon_x, icon_y as find_icon does.
start_korvid_with_tray() {
    background openbox --sm-disable
    sleep 1
    start_tray
    start_korvid "$@"
}
# Korvid alone, into a tray already there.
start_korvid() {
    background_korvid "$@"
    find_icon
}
# Starts Korvid (the program given, else the copy's own, with the arguments after it) and sets
# korvid to its pid. What it prints on stderr is kept beside, for expect_clean_end.
declare -gA KORVID_STDERR
background_korvid() {
    local log
    log=$(mktemp "$E2E_OUTPUT/korvid-stderr.XXXX")
    # shellcheck disable=SC2016
    background bash -c 'log=$1; shift; exec "$@" 2> >(tee "$log" >&2)' bash "$log" \
        "${1:-$LUMERA_PROGRAM_DIR/Korvid}" "${@:2}"
    korvid=$LAST_PID
    KORVID_STDERR[$korvid]=$log
}
# Waits up to the seconds given (40) for the Korvid in $korvid to end, which must end cleanly:
# a crash while tearing down counts. The one exception is the leak checker of the sanitizer
# build crashing in its own thread tracer, a known fault of that runtime which says nothing of
# the program: with no report of a leak or an error beside it, the end counts as clean.
expect_clean_end() {
    local what=$1 status=0 log
    wait_for_exit "$korvid" "${2:-40}" || fail "$what: Korvid still running"
    wait "$korvid" || status=$?
    ((status == 0)) && return 0
    log=${KORVID_STDERR[$korvid]:-/dev/null}
    sleep 0.5
    if ((status == 134)) && grep -q 'LeakSanitizer has encountered a fatal error' "$log" 2>/dev/null &&
        ! grep -qE 'ERROR: (Leak|Address)Sanitizer|runtime error:' "$log"; then
        echo "$what: the sanitizer's leak checker crashed in its tracer; the end counts as clean"
        return 0
    fi
    fail "$what: Korvid ended with status $status"
}

# Pages for a loopback server: the vendor's own, and the folder radio/ for station pages.
# Sets www to the folder.
# shellcheck disable=SC2154
vendor_pages() {
    temp_folder www
    cp -r "$LUMERA_PROGRAM_DIR/vendor/." "$www/"
    mkdir -p "$www/radio"
}

# Serves $www for every site of the portal and starts a window manager and Korvid without a
# notification area, so that its main window comes up by itself on the radio page, whose
# title is given. Sets korvid to its pid and window to the main window.
start_korvid_on_radio_page() {
    start_http_server "$www"
    # shellcheck disable=SC2046
    point_sites_at "$HTTP_ORIGIN" $(portal_services)
    background openbox --sm-disable
    sleep 1
    background_korvid
    window=$(wait_for_window "^$1 - Lumera桌面\$" 60) || fail "main window not shown"
    sleep 2
}

# The tray icon of a program (its window class, Korvid unless given), docked inside the tray's
# panel: its geometry as xwininfo gives it.
icon_geometry() {
    xwininfo -root -tree | awk -v class="(\"${1:-Korvid}\" \"${1:-Korvid}\")" \
        '/"panel": \("panel" "trayer"\)/ {inside = 1; next} inside && index($0, class) {print; exit}' |
        grep -oE '[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+  \+-?[0-9]+\+-?[0-9]+$'
}
# Sets icon_x and icon_y to the middle of the docked icon (of the window class given, else
# Korvid's).
find_icon() {
    local geometry="" previous="" size absolute width height
    # The tray lays its icons out again as they come: the place counts once it holds still.
    for _ in $(seq 100); do
        geometry=$(icon_geometry "${1:-}" || true)
        [[ -n "$geometry" && $geometry == "$previous" ]] && break
        previous=$geometry
        sleep 0.5
    done
    [[ -n "$geometry" ]] || fail "no tray icon docked"
    read -r size absolute <<<"$geometry"
    width=${size%%x*}
    height=${size#*x}
    height=${height%%+*}
    icon_x=$(($(cut -d+ -f2 <<<"$absolute") + width / 2))
    icon_y=$(($(cut -d+ -f3 <<<"$absolute") + height / 2))
    echo "tray icon at $icon_x,$icon_y"
}

# Picks Exit, the last entry of the tray menu, with a screenshot of the menu.
click_tray_exit() {
    xdotool mousemove "$icon_x" "$icon_y" click 3
    sleep 1.5
    screenshot "$1"
    xdotool key Up
    sleep 0.3
    xdotool key Return
}

# Exit from the tray menu; waits for the Korvid whose pid is in $korvid, which must end
# cleanly: a crash while tearing down counts.
exit_from_tray_menu() {
    click_tray_exit "$1"
    expect_clean_end "Exit" 30
}

# Screen-saver engines and Wayland compositors refuse root. desktop_user sets up an ordinary
# user for them: as root the test's own user "lumera-desk", let onto the X display, with a
# home of its own (DESKTOP_HOME) and the program copy readable; otherwise the user running
# the test, in the test's private HOME. as_desktop_user runs a command as that user with its
# home, XDG folders, display and session bus (desktop_bus starts one of its own), behind the
# command words of DESKTOP_WRAPPER when set (as root, e.g. nsenter into a mount namespace).
desktop_user() {
    DESKTOP_BUS=""
    DESKTOP_WRAPPER=()
    if ((EUID == 0)); then
        DESKTOP_USER=lumera-desk
        # Tests running side by side may both find the user missing: one of them makes it.
        flock /etc/passwd sh -c 'id "$1" >/dev/null 2>&1 || useradd --no-create-home -s /bin/bash "$1"' \
            _ "$DESKTOP_USER"
        temp_folder DESKTOP_HOME
        chown "$DESKTOP_USER:" "$DESKTOP_HOME"
        chmod 755 "$LUMERA_PROGRAM_DIR"
    else
        DESKTOP_USER=$(id -un)
        DESKTOP_HOME=$HOME
    fi
    DESKTOP_RUNTIME=$DESKTOP_HOME/.runtime
    as_desktop_user mkdir -p -m 700 "$DESKTOP_RUNTIME" "$DESKTOP_HOME/.config" "$DESKTOP_HOME/.local/share"
    if ((EUID == 0)) && [[ -n ${DISPLAY:-} ]]; then
        # A client that stays: a virtual X server that loses its last client starts afresh
        # and forgets whom it lets on.
        background xprop -root -spy >/dev/null
        sleep 0.5
        xhost "+si:localuser:$DESKTOP_USER" >/dev/null
        as_desktop_user xdpyinfo >/dev/null || fail "$DESKTOP_USER cannot open the display"
    fi
}
as_desktop_user() {
    local environment=(HOME="$DESKTOP_HOME" USER="$DESKTOP_USER" LC_ALL=C.UTF-8 PATH="$PATH"
        XDG_CONFIG_HOME="$DESKTOP_HOME/.config" XDG_DATA_HOME="$DESKTOP_HOME/.local/share"
        XDG_CACHE_HOME="$DESKTOP_HOME/.cache" XDG_RUNTIME_DIR="$DESKTOP_RUNTIME"
        QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-}"
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
    [[ -n ${DISPLAY:-} ]] && environment+=(DISPLAY="$DISPLAY")
    # The display's cookie is the same user's; another user is let on by xhost instead.
    ((EUID != 0)) && [[ -n ${XAUTHORITY:-} ]] && environment+=(XAUTHORITY="$XAUTHORITY")
    [[ -n ${DESKTOP_BUS:-} ]] && environment+=(DBUS_SESSION_BUS_ADDRESS="$DESKTOP_BUS")
    [[ -n ${DESKTOP_SYSTEM_BUS:-} ]] && environment+=(DBUS_SYSTEM_BUS_ADDRESS="$DESKTOP_SYSTEM_BUS")
    # A sanitizer build's settings reach the programs the desktop user runs too.
    local variable
    for variable in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS LD_PRELOAD; do
        [[ -n ${!variable:-} ]] && environment+=("$variable=${!variable}")
    done
    if ((EUID == 0)); then
        "${DESKTOP_WRAPPER[@]}" setpriv --reuid="$DESKTOP_USER" --regid="$(id -g "$DESKTOP_USER")" --clear-groups \
            /usr/bin/env -i "${environment[@]}" "$@"
    else
        /usr/bin/env -i "${environment[@]}" "$@"
    fi
}
# The pids of the desktop user's programs of that name on the display given (this test's own
# when not given), one a line: tests running side by side run the same programs as that user.
desktop_programs_on() {
    local name=$1 display=${2:-$DISPLAY} pid
    for pid in $(pgrep -u "$DESKTOP_USER" -x "$name"); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$display\(\.[0-9]\)\?"; then
            echo "$pid"
        fi
    done
}
# Gives what the test wrote into the desktop user's home to that user.
desktop_owns_home() {
    if ((EUID == 0)); then chown -R "$DESKTOP_USER:" "$DESKTOP_HOME"; fi
}
# A session bus of the desktop user's own, ended with the test.
desktop_bus() {
    local started
    started=$(as_desktop_user dbus-daemon --session --fork --print-address=1 --print-pid=1)
    DESKTOP_BUS=$(head -1 <<<"$started")
    E2E_PIDS+=("$(sed -n 2p <<<"$started")")
}

# mate-screensaver runs its themes' programs from /usr/libexec/xscreensaver only: a private
# mount namespace shows it a folder there with a link to the program given, named Lumera屏保
# or the second argument (a name of the test's own keeps clear of an installed package's),
# and leaves the machine's own folder as it is. That takes root: false without it. Sets
# DESKTOP_WRAPPER, so that as_desktop_user runs in that namespace.
mate_engine_folder() {
    ((EUID == 0)) || return 1
    local engines name=${2:-Lumera屏保}
    temp_folder engines
    chmod 755 "$engines"
    ln -s "$1" "$engines/$name"
    background unshare --mount --propagation private \
        sh -c 'mount --bind "$1" /usr/libexec/xscreensaver && exec sleep infinity' _ "$engines"
    DESKTOP_WRAPPER=(nsenter "--mount=/proc/$LAST_PID/ns/mnt" --)
    for _ in $(seq 50); do
        "${DESKTOP_WRAPPER[@]}" test -L "/usr/libexec/xscreensaver/$name" && return 0
        sleep 0.1
    done
    fail "no engine folder of our own"
}
# A bus of the desktop user's own in place of the system bus, with a stand-in for logind's sleep
# lock (what xscreensaver's helper needs there), ended with the test.
desktop_system_bus() {
    local started address
    started=$(as_desktop_user dbus-daemon --session --fork --print-address=1 --print-pid=1)
    E2E_PIDS+=("$(sed -n 2p <<<"$started")")
    address=$(head -1 <<<"$started")
    desktop_background as_desktop_user env DBUS_SESSION_BUS_ADDRESS="$address" \
        /usr/bin/python3 "$LUMERA_SOURCE_DIR/tests/e2e/fake_logind.py"
    for _ in $(seq 50); do
        as_desktop_user gdbus call --address "$address" --dest org.freedesktop.DBus \
            --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner \
            org.freedesktop.login1 2>/dev/null | grep -q true && break
        sleep 0.1
    done
    DESKTOP_SYSTEM_BUS=$address
}

# Runs a command of the desktop user's in the background: sets LAST_PID to the program itself,
# not to the shell around it, whose status is the program's (LAST_SHELL, for wait), and has it
# ended with the test.
desktop_background() {
    background "$@"
    LAST_SHELL=$LAST_PID
    LAST_PID=""
    for _ in $(seq 50); do
        LAST_PID=$(pgrep -P "$LAST_SHELL" | head -1 || true)
        sleep 0.1
        # The command substitutions of the shell's own come and go before the program.
        [[ -n $LAST_PID && $(pgrep -P "$LAST_SHELL" | head -1) == "$LAST_PID" ]] && break
    done
    [[ -n $LAST_PID ]] || fail "$1 did not start"
    E2E_PIDS+=("$LAST_PID")
}

# sway as the desktop user on a headless 1280x720 output without input devices, its
# configuration the lines given besides; sets SWAY_PID and SWAYSOCK. Its clients run through
# on_sway, on Qt's platform SWAY_QPA (wayland unless set) with DISPLAY as SWAY_DISPLAY, and a
# pointer device of the test's own stays meanwhile. Its debug log goes to SWAY_LOG.
SWAY_LOG=$E2E_OUTPUT/sway.log
start_sway() {
    local config=$DESKTOP_HOME/sway.conf
    printf '%s\n' "output HEADLESS-1 resolution 1280x720" "$@" >"$config"
    chmod 644 "$config"
    desktop_background as_desktop_user env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman sway -d -c "$config" 2>"$SWAY_LOG"
    SWAY_PID=$LAST_PID
    SWAYSOCK=""
    for _ in $(seq 50); do
        SWAYSOCK=$(find "$DESKTOP_RUNTIME" -maxdepth 1 -name "sway-ipc.*.$SWAY_PID.sock" | head -1)
        [[ -n $SWAYSOCK && -S $DESKTOP_RUNTIME/wayland-1 ]] && break
        sleep 0.2
    done
    [[ -n $SWAYSOCK ]] || fail "sway did not start"
    desktop_background on_sway "$(dirname "$LUMERA_BUILT_PROGRAM_DIR")/tests/wayland_pointer" 0 600
}
# Ends that sway and what runs on it, and waits until its socket is free for the next.
stop_sway() {
    stop_tree "$SWAY_PID"
    wait_for_exit "$SWAY_PID" 20 || fail "sway did not end"
    for _ in $(seq 50); do
        [[ -S $DESKTOP_RUNTIME/wayland-1 ]] || return 0
        sleep 0.1
    done
}
on_sway() {
    local display=()
    [[ -n ${SWAY_DISPLAY:-} ]] && display=(DISPLAY="$SWAY_DISPLAY")
    as_desktop_user env "${display[@]}" WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$SWAYSOCK" \
        QT_QPA_PLATFORM="${SWAY_QPA:-wayland}" "$@"
}
# The node of that name in sway's tree, as "fullscreen WIDTHxHEIGHT" or "window WIDTHxHEIGHT",
# followed by " inhibiting" while sway keeps idleness away for it.
sway_node() {
    on_sway swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("name") == sys.argv[1]:
        kind = "fullscreen" if node.get("fullscreen_mode") else "window"
        print(kind, "%dx%d" % (node["rect"]["width"], node["rect"]["height"]),
              end=" inhibiting\n" if node.get("inhibit_idle") else "\n")
        raise SystemExit
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$1"
}
# Waits up to the seconds given for that node (whose description starts with the text given).
wait_for_node() {
    local deadline=$((SECONDS + $2))
    local node
    while ((SECONDS < deadline)); do
        node=$(sway_node "$1")
        [[ -n $node && $node == "${3:-}"* ]] && return 0
        sleep 0.3
    done
    return 1
}
# Activates the first item registered with sway's bar, as a click on its icon does (Korvid's).
activate_bar_item() {
    local items item
    for _ in $(seq 100); do
        items=$(as_desktop_user gdbus call --session --dest org.kde.StatusNotifierWatcher \
            --object-path /StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get \
            org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2>/dev/null || true)
        item=$(grep -oE "[^'\"]*/StatusNotifierItem" <<<"$items" | head -1 || true)
        [[ -n $item ]] && break
        sleep 0.3
    done
    [[ -n $item ]] || fail "no item registered with the bar: $items"
    as_desktop_user gdbus call --session --dest "${item%%/*}" --object-path "/${item#*/}" \
        --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null
}

# ---- Korvid beside a screen-saver engine ---------------------------------------------------

# The desktop user with a bus of its own, a window manager, and the portal's sites on a
# loopback server whose radio page is "电台".
engine_desktop() {
    desktop_user
    desktop_bus
    vendor_pages
    printf '<!DOCTYPE html><html><head><meta charset="utf-8"><title>电台</title></head><body><h1>电台</h1></body></html>' >"$www/radio/index.html"
    start_http_server "$www"
    # shellcheck disable=SC2046
    XDG_CONFIG_HOME=$DESKTOP_HOME/.config point_sites_at "$HTTP_ORIGIN" $(portal_services)
    desktop_owns_home
    background openbox --sm-disable
}
# Korvid without a notification area, whose main window comes up by itself; sets korvid and
# window.
korvid_window() {
    desktop_background as_desktop_user "$LUMERA_PROGRAM_DIR/Korvid"
    korvid=$LAST_PID
    window=$(wait_for_window "^电台 - Lumera桌面\$" 90) || fail "no Korvid main window"
}
# Waits up to the seconds given until a program owns that name on the desktop user's bus.
wait_for_name() {
    local deadline=$((SECONDS + $2))
    while ((SECONDS < deadline)); do
        as_desktop_user gdbus call --session --dest org.freedesktop.DBus \
            --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner "$1" \
            2>/dev/null | grep -q true && return 0
        sleep 0.2
    done
    return 1
}
# Waits up to the seconds given until the command's output matches the pattern.
wait_for_output() {
    local deadline=$((SECONDS + $1)) pattern=$2
    shift 2
    while ((SECONDS < deadline)); do
        "$@" 2>/dev/null | grep -q "$pattern" && return 0
        sleep 1
    done
    return 1
}

# Input now; then the engine named, whose state the command prints, must stay inactive over the
# main window for its idle time and a margin, and come within its idle time once the window has
# closed (Korvid ends with it), counted from the close or, when AFTER_INPUT is set, from an input
# right after it.
kept_away_until_closed() {
    local engine=$1 pattern=$2 closed
    shift 2
    xdotool mousemove_relative 1 1
    if wait_for_output 80 "$pattern" "$@"; then
        fail "$engine activated over Korvid's main window: $("$@" 2>&1)"
    fi
    wmctrl -i -c "$window"
    wait_for_exit "$korvid" 30 || fail "Korvid did not end with its window"
    [[ -n ${AFTER_INPUT:-} ]] && xdotool mousemove_relative 1 1
    closed=$SECONDS
    # A minute, the fade, and the load of a shared machine.
    wait_for_output 100 "$pattern" "$@" ||
        fail "$engine did not activate once Korvid's window closed: $("$@" 2>&1)"
    echo "$engine activated $((SECONDS - closed)) s after the close"
}

# The idle starter, as its log-on entry starts it, ends at once with status 0 beside an engine.
starter_stays_out() {
    local status=0
    as_desktop_user timeout 20 "$LUMERA_PROGRAM_DIR/Lumera屏保" --idle || status=$?
    ((status == 0)) || fail "the idle starter beside $1 ended with status $status"
}
