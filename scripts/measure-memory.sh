#!/bin/bash
# The memory each further main window of Korvid adds, beside the floor of our own engine: a bare
# program (build/tools/memory_floor) whose windows hold one browser view each, started as Korvid
# starts the engine. Every window shows one small page served on 127.0.0.1; Korvid's side panes
# show the vendor's page from a second site (localhost), as they would on the web. Figures are
# RSS and PSS summed over the program and all its child processes (the engine's helpers
# included), and PSS by kind of process, taken once 1 and then 5 windows have loaded and
# settled. Runs on a virtual X display of its own with a private HOME, from a copy of the
# program folder, so nothing of the user's is read or changed.
#
#   scripts/measure-memory.sh [build-dir]     (default: build; configure it first)
#
# WINDOWS="1 5 20" measures more steps; the cost per window is taken from the first step to the
# last. SETTLE_SECONDS (15) is the time a step's windows get to settle. The figures are also kept
# in <build-dir>/memory-output/.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)

source "$source_dir/scripts/measure-session.sh" Korvid memory_floor
read -ra STEPS <<<"${WINDOWS:-1 5}"
SETTLE_SECONDS=${SETTLE_SECONDS:-15}
PAGE_TITLE=内存测量页

vendor_pages
cat >"$www/radio/index.html" <<HTML
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>$PAGE_TITLE</title>
<style>body{margin:0;font:16px/1.7 "Noto Sans CJK SC",sans-serif;background:#f4f7fb;color:#334}
header{padding:24px 40px;color:#fff;background:#2563eb}main{padding:12px 40px}</style></head>
<body><header><h1>$PAGE_TITLE</h1></header>
<main><p>一个小小的本地页面，每个主窗口都显示它。</p></main></body></html>
HTML
start_http_server "$www" >/dev/null 2>&1
# shellcheck disable=SC2046
point_sites_at "$HTTP_ORIGIN" $(portal_services | grep -vx vendor)
point_sites_at "${HTTP_ORIGIN/127.0.0.1/localhost}" vendor
page=$HTTP_ORIGIN/radio/index.html

background openbox --sm-disable
sleep 1
start_tray >/dev/null 2>&1

results=$E2E_OUTPUT/memory-figures.txt
: >"$results"
mib() { echo $((($1 + 512) / 1024)); }
# One line of figures for the program whose pid is given, with `open` windows; keeps its PSS in
# pss_at[open].
declare -A pss_at
figures() {
    local pid=$1 open=$2 processes rss pss own renderers gpu other count
    read -r processes rss pss < <(python3 "$source_dir/scripts/process-memory.py" "$pid")
    read -r own renderers gpu other count < <(python3 "$source_dir/scripts/process-memory.py" --kinds "$pid")
    pss_at[$open]=$pss
    printf '%-8s %-10s %-8s %-8s %-8s %-10s %-8s %s\n' "$open" "$processes" "$(mib "$rss")" \
        "$(mib "$pss")" "$(mib "$own")" "$(mib "$renderers") ($count)" "$(mib "$gpu")" \
        "$(mib "$other")" | tee -a "$results"
}
heading() {
    printf '\n%s\n%-8s %-10s %-8s %-8s %-8s %-10s %-8s %s\n' "$1" windows processes "RSS MiB" \
        "PSS MiB" own renderers gpu other | tee -a "$results"
}
# PSS in KiB that each window past the first step added, up to the last step.
per_window() {
    local first=${STEPS[0]} last=${STEPS[-1]}
    echo $(((pss_at[$last] - pss_at[$first]) / (last - first)))
}

# ---- Korvid: the first window from the tray icon, more through the toolbar's first button.
heading "Korvid"
background "$LUMERA_PROGRAM_DIR/Korvid" >/dev/null 2>&1
korvid=$LAST_PID
find_icon >/dev/null
xdotool mousemove "$icon_x" "$icon_y" click 1
measured_windows() {
    xdotool search --onlyvisible --name "^$PAGE_TITLE - Lumera桌面\$" 2>/dev/null | sort || true
}
newest=$(wait_for_window "^$PAGE_TITLE - Lumera桌面\$" 60) || fail "main window not shown"
open=1
for target in "${STEPS[@]}"; do
    while ((open < target)); do
        before=$(measured_windows)
        xdotool windowactivate --sync "$newest" 2>/dev/null || true
        xdotool mousemove --window "$newest" 22 18 click 1
        # A busy machine takes a while to build a window and load its pages.
        added=""
        for _ in $(seq 1000); do
            added=$(comm -13 <(echo "$before") <(measured_windows) | head -1)
            [[ -n $added ]] && break
            sleep 0.3
        done
        [[ -n $added ]] || fail "main window $((open + 1)) did not show its page"
        newest=$added
        open=$((open + 1))
    done
    sleep "$SETTLE_SECONDS"
    screenshot "korvid-$target-windows" >/dev/null
    figures "$korvid" "$target"
done
korvid_cost=$(per_window)
kill "$korvid"
wait_for_exit "$korvid" 20 || kill -KILL "$korvid"

# ---- The floor, with the engine's own process model and with renderers shared by site.
floor() {
    heading "floor $*"
    coproc FLOOR { exec "$build_dir/tools/memory_floor" "$@" "$page" 2>/dev/null; }
    local pid=$FLOOR_PID out=${FLOOR[0]} in=${FLOOR[1]} asked=1 open=0 line
    E2E_PIDS+=("$pid")
    for target in "${STEPS[@]}"; do
        for (( ; asked < target; ++asked)); do
            echo >&"$in"
        done
        while ((open < target)); do
            read -r -t 300 line <&"$out" || fail "floor window $((open + 1)) did not load"
            [[ $line == loaded* ]] && open=${line#loaded }
        done
        sleep "$SETTLE_SECONDS"
        figures "$pid" "$target"
    done
    exec {in}>&-
    wait_for_exit "$pid" 20 || kill -KILL "$pid"
}
floor
floor_cost=$(per_window)
floor --process-per-site
shared_floor_cost=$(per_window)

{
    printf '\nPSS each further window adds (windows %s to %s):\n' "${STEPS[0]}" "${STEPS[-1]}"
    printf '  %-40s %s MiB\n' "Korvid (two browser panes a window)" "$(mib "$korvid_cost")" \
        "floor (one view a window)" "$(mib "$floor_cost")" \
        "floor, renderers shared by site" "$(mib "$shared_floor_cost")"
    awk -v k="$korvid_cost" -v f="$floor_cost" 'BEGIN {printf "  Korvid / floor: %.2f\n", k / f}'
} | tee -a "$results"
echo "figures kept in $results"
