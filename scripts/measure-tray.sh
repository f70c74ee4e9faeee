#!/bin/bash
# What Korvid costs while it rests in the tray, beside a bare tray program (build/tools/tray_floor)
# measured in the same run: the PSS of the program and all its processes after QUIET_SECONDS
# (180) in the tray, once with a small static radio page and once with a heavy one (150 MiB held
# in script objects); the processor time and wake-ups (voluntary context switches of all
# threads of all processes) over the quiet minute after that; and with the heavy page, the time
# from a click on the icon to the window shown (beside the floor's own window on a click) and to
# its page painted (the page asks the server for /painted once it has drawn a frame). Runs on a
# virtual X display of its own with a tray and a private HOME, from a copy of the program
# folder. The machine's load moves the figures: compare the ratios of one run only. Start-up to
# the docked icon is measure-startup.sh.
#
#   scripts/measure-tray.sh [build-dir]     (default: build; configure it first)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)

source "$source_dir/scripts/measure-session.sh" Korvid tray_floor show_time
QUIET_SECONDS=${QUIET_SECONDS:-180}
ticks_per_second=$(getconf CLK_TCK)

vendor_pages
# Both pages tell the server when they have drawn a frame, which happens only on screen.
painted='<script>requestAnimationFrame(() => requestAnimationFrame(() => fetch("/painted")));</script>'
cat >"$www/radio/static.html" <<HTML
<!DOCTYPE html><html><head><meta charset="utf-8"><title>静态电台</title></head>
<body><h1>静态电台</h1>$painted</body></html>
HTML
cat >"$www/radio/heavy.html" <<HTML
<!DOCTYPE html><html><head><meta charset="utf-8"><title>重型电台</title></head>
<body><h1>重型电台</h1><script>
window.held = [];
for (let i = 0; i < 150; i++) held.push(new Float64Array(131072).fill(i + 0.5));
</script>$painted</body></html>
HTML
start_http_server "$www" >/dev/null 2>&1
background openbox --sm-disable
sleep 1
start_tray >/dev/null 2>&1

mib() { echo $((($1 + 512) / 1024)); }
tree() { echo "$1"; descendants "$1"; }
# "pid ticks" of each process of a tree (utime + stime in clock ticks, its ended threads
# included), and "pid/tid wake-ups" of each of its threads (voluntary context switches).
sample() {
    local p t
    for p in $(tree "$1"); do
        awk -v p="$p" '{sub(/.*\) /, ""); print p, $12 + $13}' "/proc/$p/stat" 2>/dev/null || continue
        for t in /proc/"$p"/task/*; do
            awk -v t="$p/${t##*/}" '/^voluntary_ctxt_switches/ {print t, $2}' "$t/status" 2>/dev/null || true
        done
    done
}
now_ms() { date +%s%3N; }

# Prints "PSS-KiB processes cpu-ms wakeups-per-second" of a process tree: its PSS after
# QUIET_SECONDS, and the processor time and wake-ups over the minute after that. A process or
# thread that ends within the minute (a renderer let go) takes its figures with it; one that
# starts counts from zero.
quiet_figures() {
    local pid=$1 before processes pss used
    sleep "$QUIET_SECONDS"
    read -r processes _ pss < <(python3 "$source_dir/scripts/process-memory.py" "$pid")
    before=$(sample "$pid")
    sleep 60
    used=$(awk 'NR == FNR {was[$1] = $2; next}
        $1 ~ /\// {wakes += $2 - was[$1]; next} {ticks += $2 - was[$1]} END {print ticks + 0, wakes + 0}' \
        <(echo "$before") <(sample "$pid"))
    echo "$pss $processes $((${used% *} * 1000 / ticks_per_second)) $(awk -v w="${used#* }" 'BEGIN {printf "%.1f", w / 60}')"
}

# Clicks the icon at icon_x, icon_y; sets shown to the milliseconds until a window captioned as
# Korvid's main windows are was on screen (build/tools/show_time waits for the window manager to
# map it), and drawn to those until the page asked for /painted once more (none asked: empty).
click_to_window() {
    local clicked paints took
    took=$(mktemp)
    paints=$(grep -c 'GET /painted' "$HTTP_LOG" || true)
    clicked=$(now_ms)
    "$build_dir/tools/show_time" ' - Lumera桌面' xdotool mousemove "$icon_x" "$icon_y" click 1 \
        >"$took" &
    drawn=""
    if [[ ${1:-} != window ]]; then
        for _ in $(seq 3000); do
            (($(grep -c 'GET /painted' "$HTTP_LOG" || true) > paints)) && drawn=$(($(now_ms) - clicked)) && break
            sleep 0.01
        done
    fi
    wait $! || true
    shown=$(cut -d. -f1 "$took")
    rm -f "$took"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
background "$build_dir/tools/tray_floor"
floor_pid=$LAST_PID
find_icon tray_floor >/dev/null
read -r floor_pss floor_processes floor_ms floor_wakes < <(quiet_figures "$floor_pid")
click_to_window window
floor_shown=$shown
stop_tree "$floor_pid"

results=()
for page in static heavy; do
    temp_folder fresh
    export HOME=$fresh/home XDG_CONFIG_HOME=$fresh/config XDG_DATA_HOME=$fresh/data
    export XDG_CACHE_HOME=$fresh/cache
    mkdir -p "$HOME" "$XDG_CONFIG_HOME/Lumera" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
    # shellcheck disable=SC2046
    point_sites_at "$HTTP_ORIGIN" $(portal_services | grep -vx vendor)
    point_sites_at "${HTTP_ORIGIN/127.0.0.1/localhost}" vendor
    printf '[Cinema]\nusecount=1\n\n[unload]\nPingDao=%s\n' "$HTTP_ORIGIN/radio/$page.html" \
        >"$XDG_CONFIG_HOME/Lumera/cinema.ini"
    background "$LUMERA_PROGRAM_DIR/Korvid" >/dev/null 2>&1
    korvid=$LAST_PID
    find_icon >/dev/null
    read -r pss processes ms wakes < <(quiet_figures "$korvid")
    results+=("$(printf '%-24s %8s %6s %9s %10s %8s' "Korvid, $page page" "$(mib "$pss")" \
        "$processes" "$ms" "$wakes" "$(awk -v p="$pss" -v f="$floor_pss" 'BEGIN {printf "%.1f", p / f}')")")
    if [[ $page == heavy ]]; then
        click_to_window
        click_line="tray click to window shown ${shown:-never} ms (floor ${floor_shown:-never} ms), to its page painted ${drawn:-never} ms"
    fi
    kill "$korvid"
    wait_for_exit "$korvid" 30 || kill -KILL "$korvid"
done

echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "PSS after $QUIET_SECONDS quiet seconds in the tray; processor time and wake-ups over the minute after:"
printf '%-24s %8s %6s %9s %10s %8s\n' "" "PSS MiB" procs "CPU ms" "wakeups/s" "PSS/floor"
printf '%-24s %8s %6s %9s %10s %8s\n' "tray_floor (floor)" "$(mib "$floor_pss")" "$floor_processes" \
    "$floor_ms" "$floor_wakes" 1.0
printf '%s\n' "${results[@]}"
echo "$click_line"
