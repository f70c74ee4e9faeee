#!/bin/bash
# Shared helpers of the end-to-end tests. They run under scripts/test-env.sh display, so
# HOME, XDG_CONFIG_HOME and the session bus are private and DISPLAY is a virtual X server.
set -euo pipefail

: "${LUMERA_PROGRAM_DIR:?}" "${LUMERA_SOURCE_DIR:?}"
E2E_OUTPUT=${LUMERA_E2E_OUTPUT:-/tmp/lumera-e2e}/$(basename "$0" .sh)
mkdir -p "$E2E_OUTPUT"
E2E_PIDS=()
E2E_FOLDERS=()

e2e_cleanup() {
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    if ((${#E2E_FOLDERS[@]})); then
        rm -rf "${E2E_FOLDERS[@]}"
    fi
}
trap e2e_cleanup EXIT

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

# A tray that QSystemTrayIcon docks into.
start_tray() {
    background trayer --edge top --align right --widthtype pixel --width 200 --height 32 \
        --transparent false --tint 0x303030 --SetDockType true
    sleep 1
}

# Serves a folder on 127.0.0.1; sets HTTP_ORIGIN to its address.
start_http_server() {
    local folder=$1
    local port
    port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()')
    background python3 -m http.server "$port" --bind 127.0.0.1 --directory "$folder"
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

# Korvid's tray icon, docked inside the tray's panel: its geometry as xwininfo gives it.
icon_geometry() {
    xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {inside = 1; next}
        inside && /\("Korvid" "Korvid"\)/ {print; exit}' | grep -oE '[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+  \+-?[0-9]+\+-?[0-9]+$'
}
# Sets icon_x and icon_y to the middle of the docked icon.
find_icon() {
    local geometry="" size absolute width height
    for _ in $(seq 100); do
        geometry=$(icon_geometry || true)
        [[ -n "$geometry" ]] && break
        sleep 0.3
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

# Exit from the tray menu (its last entry); waits for the Korvid whose pid is in $korvid,
# which must end cleanly: a crash while tearing down counts.
exit_from_tray_menu() {
    xdotool mousemove "$icon_x" "$icon_y" click 3
    sleep 1.5
    screenshot "$1"
    xdotool key Up
    sleep 0.3
    xdotool key Return
    wait_for_exit "$korvid" 30 || fail "Korvid still running after Exit"
    local status=0
    wait "$korvid" || status=$?
    ((status == 0)) || fail "Korvid ended with status $status after Exit"
}
