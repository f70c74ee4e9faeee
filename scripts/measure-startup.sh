#!/bin/bash
# Time from the start of Korvid to its icon docked in the notification area, beside a bare
# program that only shows a tray icon (build/tools/tray_floor) and, for reference, the same
# program linking the web engine's library (tray_floor_engine), which Korvid opens only once its
# icon is in. They are started in turn, RUNS times each (7), Korvid every time on a fresh
# profile (new HOME and XDG folders), and the medians are compared. Docked means the tray has
# taken the icon's window into its own (build/tools/dock_time). Runs on a virtual X display of
# its own with a tray and no window manager. Times move with the machine's load, which is
# printed beside them: compare the figures of one run only.
#
#   scripts/measure-startup.sh [build-dir]     (default: build; configure it first)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)

source "$source_dir/scripts/measure-session.sh" Korvid tray_floor tray_floor_engine dock_time
RUNS=${RUNS:-7}
tools=$build_dir/tools

vendor_pages
start_http_server "$www" >/dev/null 2>&1
start_tray >/dev/null 2>&1

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
floor_times=()
engine_times=()
korvid_times=()
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-5s %-12s %-20s %s\n' run "floor ms" "floor+engine lib ms" "Korvid ms"
for run in $(seq "$RUNS"); do
    floor_times+=("$("$tools/dock_time" "$tools/tray_floor")") || fail "the floor's icon did not dock"
    engine_times+=("$("$tools/dock_time" "$tools/tray_floor_engine")") || fail "the floor's icon did not dock"
    temp_folder fresh
    export HOME=$fresh/home XDG_CONFIG_HOME=$fresh/config XDG_DATA_HOME=$fresh/data
    export XDG_CACHE_HOME=$fresh/cache
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
    # shellcheck disable=SC2046
    point_sites_at "$HTTP_ORIGIN" $(portal_services)
    korvid_times+=("$("$tools/dock_time" "$LUMERA_PROGRAM_DIR/Korvid")") || fail "Korvid's icon did not dock"
    printf '%-5s %-12s %-20s %s\n' "$run" "${floor_times[-1]}" "${engine_times[-1]}" "${korvid_times[-1]}"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
floor=$(printf '%s\n' "${floor_times[@]}" | median)
engine=$(printf '%s\n' "${engine_times[@]}" | median)
korvid=$(printf '%s\n' "${korvid_times[@]}" | median)
printf 'start to docked icon, median of %s: floor %s ms, floor with the engine library %s ms, Korvid %s ms\n' \
    "$RUNS" "$floor" "$engine" "$korvid"
awk -v k="$korvid" -v f="$floor" -v e="$engine" \
    'BEGIN {printf "Korvid / floor %.2f, Korvid / floor with the engine library %.2f\n", k / f, k / e}'
