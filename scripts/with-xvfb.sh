#!/usr/bin/env bash
# Runs a command with DISPLAY set: the caller's display if there is one, otherwise a
# private Xvfb server that ends with the command.
set -euo pipefail
size=${EMBRA_XVFB_SIZE:-1280x720x24}
if [ -n "${DISPLAY:-}" ] && [ -z "${EMBRA_FORCE_XVFB:-}" ]; then
    exec "$@"
fi
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
export DISPLAY=":$display"
"$@"
