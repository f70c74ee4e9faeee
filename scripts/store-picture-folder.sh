#!/bin/bash
# Stores the screen saver's picture folder ("MyDeskTop" / "DownloadPath" in
# $XDG_CONFIG_HOME/Lumera/Korvidesk.ini) when none is stored yet: the user's pictures
# folder as the desktop names it, else ~/Pictures. A stored folder is never replaced.
# Runs as the user whose settings it writes; no root needed.
set -euo pipefail

config_home=${XDG_CONFIG_HOME:-}
[[ $config_home == /* ]] || config_home=$HOME/.config
ini=$config_home/Lumera/Korvidesk.ini

# The stored value of [MyDeskTop] DownloadPath, quotes removed; empty when there is none.
stored_value() {
    [[ -f $ini ]] || return 0
    awk '
        /^[ \t]*\[/ { in_section = ($0 ~ /^[ \t]*\[MyDeskTop\][ \t]*$/); next }
        in_section && /^[ \t]*DownloadPath[ \t]*=/ {
            value = $0
            sub(/^[^=]*=[ \t]*/, "", value)
            sub(/[ \t\r]*$/, "", value)
            gsub(/^"|"$/, "", value)
            print value
            exit
        }' "$ini"
}

if [[ -n $(stored_value) ]]; then
    exit 0
fi

folder=""
if command -v xdg-user-dir >/dev/null 2>&1; then
    folder=$(xdg-user-dir PICTURES 2>/dev/null || true)
    # Without a pictures folder of its own the desktop answers with the home folder.
    [[ $folder == "$HOME" || $folder == "$HOME/" ]] && folder=""
fi
[[ -n $folder ]] || folder=$HOME/Pictures

# Plain text where it can be, else quoted the way the settings reader unquotes it.
line="DownloadPath=$folder"
if [[ $folder =~ [\"\\\;,#=] || $folder != "${folder#[[:space:]]}" || $folder != "${folder%[[:space:]]}" ]]; then
    escaped=${folder//\\/\\\\}
    escaped=${escaped//\"/\\\"}
    line="DownloadPath=\"$escaped\""
fi

mkdir -p "$(dirname "$ini")"
tmp=$(mktemp "$ini.XXXXXX")
trap 'rm -f "$tmp"' EXIT
if [[ -f $ini ]]; then
    # Into the existing section (replacing an empty value), or a new section at the end.
    LINE=$line awk '
        /^[ \t]*\[/ {
            if (in_section && !done) { print ENVIRON["LINE"]; done = 1 }
            in_section = ($0 ~ /^[ \t]*\[MyDeskTop\][ \t]*$/)
            print
            next
        }
        in_section && /^[ \t]*DownloadPath[ \t]*=/ {
            if (!done) { print ENVIRON["LINE"]; done = 1 }
            next
        }
        { print }
        END {
            if (!done) {
                if (!in_section) print "[MyDeskTop]"
                print ENVIRON["LINE"]
            }
        }' "$ini" >"$tmp"
else
    printf '[MyDeskTop]\n%s\n' "$line" >"$tmp"
fi
if [[ -f $ini ]]; then chmod --reference="$ini" "$tmp"; else chmod 600 "$tmp"; fi
mv "$tmp" "$ini"
trap - EXIT
echo "Screen saver picture folder: $folder"
