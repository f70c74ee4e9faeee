#!/bin/bash
# The processor time `Lumera屏保 --idle` takes while it waits, beside `sleep` over the same
# span as a floor: both are started on a virtual X display of their own with a private HOME,
# and their user and system time are read from /proc/PID/stat once the starter has settled
# (five seconds in) and again SECONDS_IDLE (600) later. The idle time is set a minute longer
# than that, so all the starter does meanwhile is wait, serving org.freedesktop.ScreenSaver on
# the private session bus. Prints clock ticks, milliseconds and the times the threads woke up
# (the voluntary context switches of all of them).
#
#   scripts/measure-idle.sh [build-dir]     (default: build; configure it first)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)

if [[ -z ${LUMERA_MEASURE_INNER:-} ]]; then
    if [[ -f $build_dir/CMakeCache.txt ]]; then
        nice cmake --build "$build_dir" --target lumera_saver_program >/dev/null
    fi
    exec env LUMERA_MEASURE_INNER=1 xvfb-run -a "$source_dir/scripts/test-env.sh" display \
        bash "$0" "$build_dir"
fi

SECONDS_IDLE=${SECONDS_IDLE:-600}
mkdir -p "$XDG_CONFIG_HOME/Lumera"
printf '[ScreenSave]\nIdleMinutes=%s\n' "$((SECONDS_IDLE / 60 + 1))" >"$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"
ticks_per_second=$(getconf CLK_TCK)
# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}' /proc/"$1"/task/*/status; }

"$build_dir/bin/Lumera屏保" --idle &
starter=$!
sleep 1000000 &
floor=$!
trap 'kill "$starter" "$floor" 2>/dev/null || true' EXIT
sleep 5
kill -0 "$starter" || { echo "the idle starter ended" >&2; exit 1; }
# Nobody else on this private bus serves org.freedesktop.ScreenSaver: the starter does, as it
# waits on a desktop without an engine.
owner=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetConnectionUnixProcessID org.freedesktop.ScreenSaver |
    grep -oE '[0-9]+' | tail -1 || true)
[[ $owner == "$starter" ]] || { echo "the idle starter serves no org.freedesktop.ScreenSaver" >&2; exit 1; }
starter_before=$(cpu_ticks "$starter")
floor_before=$(cpu_ticks "$floor")
starter_wakeups=$(wakeups "$starter")
floor_wakeups=$(wakeups "$floor")
sleep "$SECONDS_IDLE"
starter_used=$(($(cpu_ticks "$starter") - starter_before))
floor_used=$(($(cpu_ticks "$floor") - floor_before))
starter_wakeups=$(($(wakeups "$starter") - starter_wakeups))
floor_wakeups=$(($(wakeups "$floor") - floor_wakeups))
echo "over $SECONDS_IDLE idle seconds (clock ticks of $((1000 / ticks_per_second)) ms):"
printf '%-22s %6s ticks  %6s ms  %6s wake-ups\n' \
    "Lumera屏保 --idle" "$starter_used" "$((starter_used * 1000 / ticks_per_second))" \
    "$starter_wakeups" \
    "sleep (floor)" "$floor_used" "$((floor_used * 1000 / ticks_per_second))" "$floor_wakeups"
