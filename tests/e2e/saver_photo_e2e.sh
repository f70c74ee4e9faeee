#!/bin/bash
# The photo fade on a real X display: the saver started with "7" on a folder of three
# photos shows black, then a photo fading in, then the photo at full brightness, then the
# portrait photo whole between black bars; a key press ends it and the process is gone.
source "$(dirname "$0")/lib.sh"

saver="$LUMERA_PROGRAM_DIR/Lumera屏保"
[[ -x "$saver" ]] || fail "no saver program at $saver"
depth=$(xdpyinfo 2>/dev/null | awk '/depth of root window/ {d = $5} END {print d}' || true)
[[ "${depth:-24}" -ge 24 ]] || fail "the display has depth $depth; colour checks need 24"

pictures=$(mktemp -d "${TMPDIR:-/tmp}/lumera-photos.XXXXXX")
trap 'e2e_cleanup; rm -rf "$pictures"' EXIT
convert -size 1600x900 xc:'rgb(200,200,200)' -quality 95 "$pictures/1-grey.jpg"
convert -size 600x800 xc:'rgb(200,100,0)' -quality 95 "$pictures/2-orange.JPG"
convert -size 640x480 xc:'rgb(0,100,200)' -quality 95 "$pictures/3-blue.jpg"
echo "not a photo" >"$pictures/notes.txt"

mkdir -p "$XDG_CONFIG_HOME/Lumera"
printf '[MyDeskTop]\nDownloadPath=%s\n[ScreenSave]\nloadtime=4\n' "$pictures" \
    >"$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"

# The mean colour of the whole screen as "r g b", 0 to 255. Asked for by channel: a screen
# that is all grey is stored by ImageMagick 7 as a one-channel picture.
screen_mean() {
    convert "$1" -resize 1x1\! \
        -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]\n' info:
}

background "$saver" 7
saver_pid=$LAST_PID
wait_for_window "Lumera屏保" 60 >/dev/null || fail "the saver window did not appear"

# Watch the first fade: the grey photo (200) rises from black towards 197 over 6.4 s.
saw_black="" saw_partial="" saw_full=""
for i in $(seq 1 80); do
    shot="$E2E_OUTPUT/tick-$i.png"
    import -window root "$shot"
    read -r r g b < <(screen_mean "$shot")
    echo "shot $i: $r $g $b"
    if ((r < 15 && g < 15 && b < 15)) && [[ -z $saw_partial ]]; then
        saw_black=$shot
    elif ((r > 40 && r < 160)) && ((r - g < 6 && g - r < 6)) && [[ -n $saw_black ]]; then
        saw_partial=$shot
    elif ((r >= 180 && g >= 180 && b >= 180)) && [[ -n $saw_partial ]]; then
        saw_full=$shot
        break
    fi
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended by itself"
    sleep 0.15
done
[[ -n $saw_black ]] || fail "no black frame at the start"
[[ -n $saw_partial ]] || fail "no partly faded frame"
[[ -n $saw_full ]] || fail "the photo never reached full brightness"
# An even picture, not the stippled root window of a bare X server, which also averages grey.
spread=$(convert "$saw_partial" -colorspace Gray -format '%[fx:int(1000*standard_deviation)]' info:)
((spread < 30)) || fail "the partly faded frame is not an even picture (spread $spread)"
cp "$saw_black" "$E2E_OUTPUT/black.png"
cp "$saw_partial" "$E2E_OUTPUT/partial.png"
cp "$saw_full" "$E2E_OUTPUT/full.png"
rm -f "$E2E_OUTPUT"/tick-*.png

# The second photo stands upright: fitted whole in the middle, black on both sides, not
# stretched over the screen.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]\n" info:; }
width=$(identify -format %w "$E2E_OUTPUT/full.png")
height=$(identify -format %h "$E2E_OUTPUT/full.png")
upright=""
for i in $(seq 1 120); do
    shot="$E2E_OUTPUT/portrait-$i.png"
    import -window root "$shot"
    read -r r g b < <(pixel "$shot" $((width / 2)) $((height / 2)))
    if ((r > 150 && g > 60 && g < 120 && b < 40)); then
        upright=$shot
        break
    fi
    rm -f "$shot"
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended by itself"
    sleep 0.3
done
[[ -n $upright ]] || fail "the portrait photo never came"
mv "$upright" "$E2E_OUTPUT/portrait.png"
# 3:4 on the screen's height: a quarter of the height and more beside the middle is black.
for x in $((width / 2 - height / 2)) $((width / 2 + height / 2)); do
    read -r r g b < <(pixel "$E2E_OUTPUT/portrait.png" "$x" $((height / 2)))
    ((r < 10 && g < 10 && b < 10)) || fail "the portrait photo covers column $x ($r $g $b)"
done
rm -f "$E2E_OUTPUT"/portrait-*.png

# A command-line mode leaves the rotation alone; the work bitmap is on disk.
grep -q '^loadtime=4$' "$XDG_CONFIG_HOME/Lumera/Korvidesk.ini" || fail "loadtime was changed"
data="$LUMERA_PROGRAM_DIR"
[[ -w "$data" ]] || data="$XDG_DATA_HOME/Lumera"
[[ -f "$data/temp/music.bmp" ]] || fail "no work bitmap in $data/temp"

xdotool key space
wait_for_exit "$saver_pid" 20 || fail "the saver did not end at a key press"
[[ ! -e "$data/sys/dong.swf" ]] || fail "the movie copy was left behind"
echo "PASS: black, partly faded and full photo, portrait fitted; ended by a key press"
