#!/bin/bash
# Runs a command on the current display, or on a virtual one when there is none.
set -euo pipefail
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" "$@"
fi
exec "$@"
