#!/bin/bash
# The set-up step that stores the screen saver's picture folder: stored once, never replaced,
# other settings kept, and read back by the saver's settings reader as it was written.
source "$(dirname "$0")/lib.sh"

store="$LUMERA_SOURCE_DIR/scripts/store-picture-folder.sh"
ini="$XDG_CONFIG_HOME/Lumera/Korvidesk.ini"
value() { awk -F= '/^DownloadPath=/ {sub(/^DownloadPath=/, ""); print}' "$ini"; }

# Nothing stored: the pictures folder of the desktop, else ~/Pictures.
expected=$HOME/Pictures
if command -v xdg-user-dir >/dev/null; then
    answer=$(xdg-user-dir PICTURES)
    [[ $answer != "$HOME" && -n $answer ]] && expected=$answer
fi
rm -f "$ini"
"$store" >/dev/null
[[ $(value) == "$expected" ]] || fail "stored '$(value)', expected '$expected'"
grep -qx '\[MyDeskTop\]' "$ini" || fail "no [MyDeskTop] section"

# A stored folder is never replaced.
printf '[ScreenSave]\nloadtime=3\n[MyDeskTop]\nDownloadPath=/srv/photos\n' >"$ini"
"$store" >/dev/null
[[ $(value) == /srv/photos ]] || fail "the stored folder was replaced"
grep -qx 'loadtime=3' "$ini" || fail "another setting was lost"

# An empty value counts as none; the other sections stay.
printf '[MyDeskTop]\nDownloadPath=\n[ScreenSave]\nloadtime=5\n' >"$ini"
"$store" >/dev/null
[[ $(value) == "$expected" ]] || fail "an empty value was not filled in"
grep -qx 'loadtime=5' "$ini" || fail "another setting was lost"
[[ $(grep -c '^DownloadPath=' "$ini") -eq 1 ]] || fail "the key is there twice"

# A folder with a comma and blanks is quoted the way the settings reader unquotes it.
odd="$HOME/My Photos, 2026"
printf '[ScreenSave]\nloadtime=2\n' >"$ini"
ODD=$odd bash -c 'xdg-user-dir() { echo "$ODD"; }; export -f xdg-user-dir; "$0" >/dev/null' "$store"
[[ $(value) == "\"$odd\"" ]] || fail "the odd folder was written as $(value)"
echo "PASS: picture folder stored once and kept"
