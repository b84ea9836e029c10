#!/usr/bin/env bash
# Runs a command with DISPLAY set: the caller's display if there is one, otherwise a
# private Xvfb server that ends with the command. EMBRA_XVFB_EXTRA holds more arguments for
# the server (a second screen and +xinerama, for example).
set -euo pipefail
trap 'echo "$0: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
size=${EMBRA_XVFB_SIZE:-1280x720x24}
read -ra extra <<<"${EMBRA_XVFB_EXTRA:-}"
if [ -n "${DISPLAY:-}" ] && [ -z "${EMBRA_FORCE_XVFB:-}" ]; then
    exec "$@"
fi

# Starts Xvfb on display $1; fails when the server ends before its socket appears (the
# display was taken meanwhile by another server). The display is this server's only when
# its lock file names it: a server started at the same moment for the same display gives up
# after the other's socket appears.
start_xvfb() {
    Xvfb ":$1" -screen 0 "$size" "${extra[@]}" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$1" ] &&
            [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock")" = "$xvfb" ] && return 0
        kill -0 $xvfb 2>/dev/null || return 1
        sleep 0.1
    done
    kill $xvfb 2>/dev/null || true
    return 1
}

display=90
xvfb=""
for _ in $(seq 20); do
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    start_xvfb "$display" && break
    xvfb=""
    display=$((display + 1))
done
if [ -z "$xvfb" ]; then
    echo "with-xvfb.sh: Xvfb did not start (is the package xvfb installed?)" >&2
    exit 1
fi
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$display"
"$@"
