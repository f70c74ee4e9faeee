#!/bin/bash
# Pages off screen rest: the hidden main window's radio page, heavy with script objects, and
# the tray host's page are discarded once the discard delay (a few seconds here) has passed,
# and their renderers go; SIGTERM then still stores the address; a tray click shows the window
# with its caption at once and the page comes back, drawn, at the same address, which is no new
# history row. (That a page playing sound or holding the focus in a field is never discarded
# is the browser's own test: Korvid's pages start no sound while hidden.)
source "$(dirname "$0")/lib.sh"

export LUMERA_DISCARD_SECONDS=3
rm -rf "${XDG_CONFIG_HOME:?}"/*
ini="$XDG_CONFIG_HOME/Lumera/cinema.ini"
his="$LUMERA_PROGRAM_DIR/his.dat"

vendor_pages
# About 150 MiB held in script objects for as long as the page lives: whether its renderer
# is there, the renderers' PSS shows.
cat >"$www/radio/heavy.html" <<'HTML'
<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>重型电台</title></head>
<body style="background: #d2691e"><h1>重型电台</h1><script>window.held = [];
for (let i = 0; i < 150; i++) held.push(new Float64Array(131072).fill(i + 0.5));</script>
</body></html>
HTML
start_http_server "$www"
heavy="$HTTP_ORIGIN/radio/heavy.html"
# The vendor's pages come from a second site, so they have a renderer of their own.
# shellcheck disable=SC2046
point_sites_at "$HTTP_ORIGIN" $(portal_services | grep -vx vendor)
point_sites_at "${HTTP_ORIGIN/127.0.0.1/localhost}" vendor
mkdir -p "$(dirname "$ini")"
printf '[Cinema]\nusecount=1\n\n[unload]\nPingDao=%s\n' "$heavy" >"$ini"

background openbox --sm-disable
sleep 1
start_tray

# The renderers' PSS in KiB and their number.
renderer_pss() { python3 "$LUMERA_SOURCE_DIR/scripts/process-memory.py" --kinds "$korvid" | cut -d' ' -f2; }
renderer_count() { python3 "$LUMERA_SOURCE_DIR/scripts/process-memory.py" --kinds "$korvid" | cut -d' ' -f5; }
rows_of() { grep -c "$1" "$his" 2>/dev/null || echo 0; }
# Waits until the renderers hold more than (up) or less than (down) the KiB given.
wait_renderers() {
    local way=$1 kib=$2 pss
    for _ in $(seq 240); do
        pss=$(renderer_pss)
        [[ $way == up ]] && ((pss > kib)) && return 0
        [[ $way == down ]] && ((pss < kib)) && return 0
        sleep 0.5
    done
    echo "renderers hold $pss KiB in $(renderer_count) processes" >&2
    return 1
}

# ---- Discarded while hidden, and SIGTERM stores the address --------------------------------
start_korvid
wait_renderers up $((120 * 1024)) || fail "the heavy page never loaded"
wait_renderers down $((60 * 1024)) || fail "the hidden pages kept their renderers"
(($(renderer_count) <= 1)) || fail "$(renderer_count) renderers left for discarded pages"
sed -i '/^webURL=/d' "$ini"
kill -TERM "$korvid"
expect_clean_end "SIGTERM while discarded"
grep -qx "webURL=$heavy" "$ini" || fail "the discarded window stored no address at SIGTERM"
grep -qx "PingDao=$heavy" "$ini" || fail "the discarded window lost the radio page at SIGTERM"
(($(rows_of "$heavy") == 1)) || fail "his.dat lacks the one row of the first start"
echo "ok: discarded while hidden, address stored at SIGTERM"

# ---- A tray click brings the page back: same address and title, no new visit ---------------
start_korvid
wait_renderers up $((120 * 1024)) || fail "the heavy page never loaded"
wait_renderers down $((60 * 1024)) || fail "the hidden pages kept their renderers"
xdotool mousemove "$icon_x" "$icon_y" click 1
window=$(wait_for_window '^重型电台 - Lumera桌面$' 10) || fail "the window did not come back with its caption"
wait_renderers up $((120 * 1024)) || fail "the page did not come back"
eval "$(xdotool getwindowgeometry --shell "$window")"
wait_for_sunset back-from-discard "$((WIDTH / 3))x$((HEIGHT / 3))+$((X + 20))+$((Y + HEIGHT / 3))"
wait_caption "$window" '重型电台 - Lumera桌面' 5 || fail "the caption changed as the page came back"
expect_no_opengl_driver "$korvid" "the page back from discard"
exit_from_tray_menu tray-menu
grep -qx "webURL=$heavy" "$ini" || fail "the page did not come back at its address"
rows=$(rows_of "$heavy")
((rows == 2)) || fail "his.dat holds $rows rows of the page after two starts, not 2"
echo "ok: back from discard"

echo "PASS: korvid rest"
