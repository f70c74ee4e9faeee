# Sourced: start_virtual_display starts a virtual X server (Xvfb) of its own on the first free
# display number, which the server picks itself, so that any number of them can start at once.
# Only clients holding its cookie get on: the cookie goes into the file $XAUTHORITY names (made
# when missing). Further arguments go to Xvfb (screens, say). Sets VIRTUAL_DISPLAY to ":N" and
# VIRTUAL_DISPLAY_PID; the caller ends the server.
start_virtual_display() {
    : "${XAUTHORITY:?start_virtual_display needs XAUTHORITY}"
    local cookie server_auth number_file number=""
    cookie=$(mcookie)
    server_auth=$(mktemp "${TMPDIR:-/tmp}/lumera-xvfb-auth.XXXXXX")
    number_file=$(mktemp "${TMPDIR:-/tmp}/lumera-xvfb-number.XXXXXX")
    # The server takes every cookie in its file, whatever display the entry names.
    xauth -q -f "$server_auth" add :0 . "$cookie" 2>/dev/null
    Xvfb -displayfd 5 -auth "$server_auth" -nolisten tcp -noreset "$@" \
        5>"$number_file" 2>/dev/null &
    VIRTUAL_DISPLAY_PID=$!
    for _ in $(seq 200); do
        number=$(tr -dc 0-9 <"$number_file")
        [[ -n $number ]] && break
        kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$server_auth" "$number_file"
    if [[ -z $number ]]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    VIRTUAL_DISPLAY=:$number
    xauth -q -f "$XAUTHORITY" add "$VIRTUAL_DISPLAY" . "$cookie" 2>/dev/null
}
