#!/bin/bash
# Korvid under load, as a user's machine would run it: one main window on pages that open
# windows in a loop, set their title 10,000 times and reload themselves every 50 ms for a
# minute. Throughout, the program answers the X server within a couple of seconds, its memory
# (web-engine helpers included) stays bounded, and pages get only a few windows of their own.
# Afterwards his.dat holds the visits, newest first, merged with the rows it held before.
source "$(dirname "$0")/lib.sh"
checks="$(dirname "$0")/load_checks.py"

# Liveness and memory bounds. They are generous: this is no speed test, it catches a program
# that hangs or keeps growing.
LONGEST_WAIT_MS=2000
MEMORY_CAP_MIB=3072
RELOAD_GROWTH_MIB=200
# How long the memory left by the reloading page may take to be freed once it rests.
SETTLE_SECONDS=90
# Windows a page may open by itself in any minute, however the pop-up switch is set.
PAGE_WINDOWS_PER_MINUTE=3

export QTWEBENGINE_CHROMIUM_FLAGS="--disable-background-networking --disable-component-update --no-first-run --disable-sync --disable-gpu"
rm -rf "${XDG_CONFIG_HOME:?}"/*

# A program folder of its own, so that his.dat is written there and not into the build.
temp_folder program
cp "$LUMERA_PROGRAM_DIR/Korvid" "$program/"
for entry in "$LUMERA_PROGRAM_DIR"/*; do
    [[ $(basename "$entry") == Korvid ]] || ln -s "$entry" "$program/"
done
python3 "$checks" seed-history "$program/his.dat"

# The radio page Korvid starts on leads to the load pages once the window is on screen (a
# hidden page's timers are held back).
temp_folder www
cp -r "$LUMERA_PROGRAM_DIR/vendor/." "$www/"
mkdir -p "$www/radio" "$www/load"
cp "$(dirname "$0")"/load-pages/*.html "$www/load/"
cat >"$www/radio/index.html" <<'HTML'
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>负载测试电台</title></head>
<body><h1>负载测试电台</h1><script>
function start() { if (document.visibilityState === "visible") location.replace("/load/windows.html"); }
document.addEventListener("visibilitychange", start);
start();
</script></body></html>
HTML
start_http_server "$www"
# shellcheck disable=SC2086
point_sites_at "$HTTP_ORIGIN" $(portal_services)

start_korvid_with_tray "$program/Korvid"
# With the pop-up switch that the first start ticks cleared, every window the page asks for
# meets the new-window rule; only the limit on windows a page opens by itself holds them.
ini="$XDG_CONFIG_HOME/Lumera/cinema.ini"
for _ in $(seq 50); do
    grep -qx 'history=1' "$ini" 2>/dev/null && break
    sleep 0.2
done
sed -i 's/^history=1$/history=0/' "$ini"
xdotool mousemove "$icon_x" "$icon_y" click 1
window=$(wait_for_window '^弹窗负载页 - Lumera桌面$' 60) || fail "main window not shown on the load pages"
started=$SECONDS

background python3 "$(dirname "$0")/xping.py" "$window" "$E2E_OUTPUT/liveness.txt" 0.1
pinger=$LAST_PID
rm -f "$E2E_OUTPUT/memory.txt" "$E2E_OUTPUT/phases.txt"
background python3 "$LUMERA_SOURCE_DIR/scripts/process-memory.py" --sample "$korvid" 1 "$E2E_OUTPUT/memory.txt"
sampler=$LAST_PID

# Follows the pages by the first window's caption until the last one is shown.
phase=""
most_windows=0
deadline=$((SECONDS + 240))
while ((SECONDS < deadline)); do
    caption=$(xdotool getwindowname "$window" 2>/dev/null) || fail "the first main window went away"
    case $caption in
    弹窗负载页*) now=windows ;;
    标题*) now=titles ;;
    自动刷新负载页*) now=reload ;;
    负载测试完成*) now=done ;;
    *) now=$phase ;;
    esac
    if [[ $now != "$phase" ]]; then
        phase=$now
        echo "$(date +%s.%N) $phase" >>"$E2E_OUTPUT/phases.txt"
        echo "$((SECONDS - started)) s: $phase"
        [[ $phase == titles ]] && screenshot windows-opened
    fi
    count=$(main_windows | wc -l)
    ((count > most_windows)) && most_windows=$count
    [[ $phase == done ]] && break
    sleep 0.5
done
[[ $phase == done ]] || fail "the load pages did not finish (last: $phase)"
screenshot load-done
echo "load pages done in $((SECONDS - started)) s: $caption"
# Memory is sampled on while the last page rests, until what the reloading left is freed.
for _ in $(seq "$SETTLE_SECONDS"); do
    sleep 1
    python3 "$checks" settled "$E2E_OUTPUT/memory.txt" "$E2E_OUTPUT/phases.txt" "$RELOAD_GROWTH_MIB" 2>/dev/null && break
done
kill "$pinger" "$sampler"
wait "$pinger" "$sampler" 2>/dev/null || true

echo "liveness: $(tr '\n' ' ' <"$E2E_OUTPUT/liveness.txt")"
longest=$(awk '$1 == "longest_wait_ms" {print $2}' "$E2E_OUTPUT/liveness.txt")
answers=$(awk '$1 == "answers" {print $2}' "$E2E_OUTPUT/liveness.txt")
((answers > 100)) || fail "Korvid answered only $answers pings"
((longest < LONGEST_WAIT_MS)) || fail "Korvid left a ping unanswered for $longest ms"

children=$((most_windows - 1))
echo "main windows at most: $most_windows ($children opened by the page)"
((children <= PAGE_WINDOWS_PER_MINUTE)) || fail "the page opened $children windows in under a minute"
python3 "$checks" memory "$E2E_OUTPUT/memory.txt" "$E2E_OUTPUT/phases.txt" "$MEMORY_CAP_MIB" "$RELOAD_GROWTH_MIB" ||
    fail "memory not bounded"

# Closing the last main window merges the history into his.dat.
before=$(stat -c %Y "$program/his.dat")
# Each closed through the window manager, as its title bar's close button does: a key would go
# to whichever window has the focus.
for id in $(main_windows); do
    wmctrl -i -c "$id"
    for _ in $(seq 50); do
        xdotool getwindowname "$id" >/dev/null 2>&1 && main_windows | grep -qx "$id" || break
        sleep 0.2
    done
done
left=$(main_windows)
[[ -z $left ]] || fail "main windows left open: $(for id in $left; do xdotool getwindowname "$id"; done)"
kill -0 "$korvid" 2>/dev/null || fail "Korvid ended (crashed?) while its main windows closed"
for _ in $(seq 50); do
    [[ $(stat -c %Y "$program/his.dat") != "$before" ]] && break
    sleep 0.2
done
python3 "$checks" history "$program/his.dat" || fail "his.dat is not what the visits make"
# The merge went through a temporary file and a rename: nothing of it is left over.
leftover=$(ls -A "$program" | grep -vxF -f <(ls -A "$LUMERA_PROGRAM_DIR"; echo his.dat) || true)
[[ -z $leftover ]] || fail "files left beside his.dat: $leftover"

exit_from_tray_menu load-tray-menu
echo "PASS: korvid load ($((SECONDS - started)) s under load)"
