#!/usr/bin/env bash
# Starts the real program on a real X server (fonts, image plugins, window system) with a fresh
# installation folder, waits for the start-up window, presses a letter key on it and expects the
# program to end by itself with status 0.
set -euo pipefail
program=$1
init=$2

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
export TEMPORA_HOME="$folder/Tempora" XDG_CONFIG_HOME="$folder/config"
unset QT_QPA_PLATFORM
"$init" >/dev/null

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -u
    "$1" 2>"$2/stderr" &
    pid=$!
    if ! window=$(timeout 30 xdotool search --sync --onlyvisible --classname tempora | head -n1); then
        echo "the start-up window did not appear"; kill $pid; exit 1
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT - 20)) windowfocus --sync "$window" key a
    for _ in $(seq 100); do
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 $pid 2>/dev/null; then
        echo "the program did not end after the key"; kill $pid; exit 1
    fi
    wait $pid
    status=$?
    echo "exit status $status"
    exit $status
' smoke "$program" "$folder"
