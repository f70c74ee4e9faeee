#!/bin/bash
# Memory of Korvid with 1, 5 and 20 main windows open, each on a small page served on
# 127.0.0.1: RSS and PSS summed over Korvid and all its child processes (the web engine's
# helpers included). Runs on a virtual X display of its own with a private HOME, from a copy
# of the program folder, so nothing of the user's is read or changed.
#
#   scripts/measure-memory.sh [build-dir]     (default: build; run scripts/build.sh first)
#
# Prints one line per step; the figures are also kept in <build-dir>/memory-output/.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)

if [[ -z ${LUMERA_MEASURE_INNER:-} ]]; then
    [[ -x $build_dir/bin/Korvid ]] || { echo "no $build_dir/bin/Korvid: build first" >&2; exit 1; }
    exec env LUMERA_MEASURE_INNER=1 xvfb-run -a -s "-screen 0 1920x1080x24" \
        "$source_dir/scripts/test-env.sh" display bash "$0" "$build_dir"
fi

export LUMERA_PROGRAM_DIR=$build_dir/bin LUMERA_SOURCE_DIR=$source_dir
export LUMERA_E2E_OUTPUT=$build_dir/memory-output
source "$source_dir/tests/e2e/lib.sh"
STEPS=(1 5 20)
# Time for a step's windows to load their pages and settle before the figures are taken.
SETTLE_SECONDS=${SETTLE_SECONDS:-15}

temp_folder program
cp "$LUMERA_PROGRAM_DIR/Korvid" "$program/"
for entry in "$LUMERA_PROGRAM_DIR"/*; do
    [[ $(basename "$entry") == Korvid ]] || ln -s "$entry" "$program/"
done
temp_folder www
cp -r "$LUMERA_PROGRAM_DIR/vendor/." "$www/"
mkdir -p "$www/radio"
cat >"$www/radio/index.html" <<'HTML'
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>内存测量页</title>
<style>body{margin:0;font:16px/1.7 "Noto Sans CJK SC",sans-serif;background:#f4f7fb;color:#334}
header{padding:24px 40px;color:#fff;background:#2563eb}main{padding:12px 40px}</style></head>
<body><header><h1>内存测量页</h1></header>
<main><p>一个小小的本地页面，每个主窗口都显示它。</p></main></body></html>
HTML
start_http_server "$www" >/dev/null 2>&1
# shellcheck disable=SC2086
point_sites_at "$HTTP_ORIGIN" $(portal_services)

background openbox --sm-disable
sleep 1
start_tray >/dev/null 2>&1
background "$program/Korvid" >/dev/null 2>&1
korvid=$LAST_PID
find_icon >/dev/null
xdotool mousemove "$icon_x" "$icon_y" click 1

main_windows() {
    xdotool search --onlyvisible --name '^内存测量页 - Lumera桌面$' 2>/dev/null | sort || true
}
first=$(wait_for_window '^内存测量页 - Lumera桌面$' 60) || fail "main window not shown"

results=$E2E_OUTPUT/memory-figures.txt
rm -f "$E2E_OUTPUT/window-times.txt"
printf '%-8s %-10s %-10s %-10s %s\n' windows processes "RSS MiB" "PSS MiB" "Korvid alone RSS MiB" | tee "$results"
newest=$first
open=1
for target in "${STEPS[@]}"; do
    # More windows through the toolbar's first button (启动新窗口), pressed in the newest one.
    while ((open < target)); do
        before=$(main_windows)
        xdotool windowactivate --sync "$newest" 2>/dev/null || true
        xdotool mousemove --window "$newest" 22 18 click 1
        # A busy machine takes a while to build a window and load its pages.
        asked=$SECONDS
        for _ in $(seq 1000); do
            added=$(comm -13 <(echo "$before") <(main_windows) | head -1)
            [[ -n $added ]] && break
            sleep 0.3
        done
        [[ -n $added ]] || fail "main window $((open + 1)) did not show its page"
        newest=$added
        open=$((open + 1))
        echo "window $open on its page after $((SECONDS - asked)) s" >>"$E2E_OUTPUT/window-times.txt"
    done
    sleep "$SETTLE_SECONDS"
    screenshot "memory-$target-windows" >/dev/null
    read -r processes rss pss < <(python3 "$source_dir/scripts/process-memory.py" "$korvid")
    alone=$(awk '/^VmRSS:/ {print $2}' "/proc/$korvid/status")
    printf '%-8s %-10s %-10s %-10s %s\n' "$target" "$processes" "$((rss / 1024))" "$((pss / 1024))" \
        "$((alone / 1024))" | tee -a "$results"
done
kill "$korvid"
wait_for_exit "$korvid" 20 || kill -KILL "$korvid"
echo "figures kept in $results"
