#!/bin/bash
# The saver's movie and page modes as a user sees them: mode 6 shows a clock at the machine's
# time, moving; mode 2 the sunset page; broken movies show black; a key ends every run and the
# movie copy goes with it.
source "$(dirname "$0")/lib.sh"

# A program folder of its own, so the runs below can break its content folders.
program=$(mktemp -d "${TMPDIR:-/tmp}/lumera-saver-e2e.XXXXXX")
trap 'e2e_cleanup; rm -rf "$program"' EXIT
cp "$LUMERA_PROGRAM_DIR/Lumera屏保" "$program/"
for part in player ruffle java clock earth; do
    cp -r "$LUMERA_PROGRAM_DIR/$part" "$program/"
done
saver="$program/Lumera屏保"
settings="$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"
mkdir -p "$XDG_CONFIG_HOME/Lumera" "$HOME/pictures"
printf '[MyDeskTop]\nDownloadPath=%s\n' "$HOME/pictures" >"$settings"

mean() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }
# Fewer than this share of pixels changing between two pictures counts as a still picture.
changed_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# Starts the saver in a mode and waits until its window is up and the content has had time.
start_saver() {
    local mode=$1
    background "$saver" "$mode"
    SAVER_PID=$LAST_PID
    wait_for_window "Lumera屏保" 30 >/dev/null || fail "no saver window in mode $mode"
    sleep "${2:-6}"
}

# A key press ends the saver, and the movie copy is gone afterwards.
end_with_key() {
    local what=$1
    xdotool key space
    wait_for_exit "$SAVER_PID" 15 || fail "$what: the saver did not end on a key press"
    [[ ! -e "$program/sys/dong.swf" ]] || fail "$what: the movie copy is still there"
}

colours() { convert "$1" -format '%k' info:; }
# Waits until the screen shows a picture rather than a plain colour: the player needs a while
# to start on a busy machine.
wait_for_picture() {
    local deadline=$((SECONDS + ${1:-60}))
    while ((SECONDS < deadline)); do
        screenshot waiting >/dev/null
        (($(colours "$E2E_OUTPUT/waiting.png") > 100)) && return 0
        sleep 1
    done
    return 1
}

echo "mode 6: the clock shows the time and moves"
start_saver 6 1
wait_for_picture || fail "mode 6 shows no picture"
shown_at=$(date +%H:%M:%S)
screenshot clock-a
sleep 1
screenshot clock-b
python3 "$LUMERA_SOURCE_DIR/tests/e2e/clock_hands.py" "$E2E_OUTPUT/clock-a.png" "$shown_at" ||
    fail "the clock does not show the time $shown_at"
[[ -e "$program/sys/dong.swf" ]] || fail "mode 6 made no movie copy"
a="$E2E_OUTPUT/clock-a.png" b="$E2E_OUTPUT/clock-b.png"
(($(changed_pixels "$a" "$b") > 200)) || fail "the clock did not move"
awk -v m="$(mean "$a")" 'BEGIN { exit !(m > 0.05) }' || fail "the clock is black"
end_with_key "mode 6"
grep -q '^loadswf_clock=1' "$settings" || fail "the clock folder's index was not stored"

echo "mode 2: the sunset page"
start_saver 2 1
wait_for_picture || fail "mode 2 shows no picture"
sleep 1
screenshot page
# A warm picture: far from black, more red than blue.
read -r red blue < <(convert "$E2E_OUTPUT/page.png" -format '%[fx:mean.r] %[fx:mean.b]\n' info:)
awk -v r="$red" -v b="$blue" 'BEGIN { exit !(r > 0.3 && r > b) }' || fail "the page is not in view ($red, $blue)"
[[ ! -e "$program/sys/dong.swf" ]] || fail "mode 2 copied a movie"
end_with_key "mode 2"

echo "broken movies: black, and a key still ends the saver"
rm -rf "$program/clock"
mkdir "$program/clock"
echo "not a movie at all" >"$program/clock/a.jav"
: >"$program/clock/b.jav"
truncate -s 100M "$program/clock/c.jav"
for name in text empty huge; do
    start_saver 6 4
    screenshot "broken-$name"
    awk -v m="$(mean "$E2E_OUTPUT/broken-$name.png")" 'BEGIN { exit !(m < 0.01) }' ||
        fail "the $name movie did not leave the screen black"
    end_with_key "the $name movie"
done

echo "a folder of 10,000 names"
rm -rf "$program/earth"
mkdir "$program/earth"
(cd "$program/earth" && seq -f 'm%05g.jav' 0 9999 | xargs touch)
start_saver 1 4
screenshot many-names
awk -v m="$(mean "$E2E_OUTPUT/many-names.png")" 'BEGIN { exit !(m < 0.01) }' || fail "not black"
end_with_key "the large folder"

echo "1 passed, 0 failed"
