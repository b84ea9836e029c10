#!/usr/bin/env bash
# GetTaskbarEdge against the shell's real taskbar: starts the probe in a 1024x600 Wine
# virtual desktop with the shell enabled (Wine puts its taskbar at the bottom) and checks
# what the probe reports: edge 1 (bottom), a rectangle along the whole bottom of the
# screen, and the desktop's size as the screen size. explorer passes on no exit code, so
# the probe reports through a file.
#
# Usage: taskbar_edge.sh <probe.exe> <output dir>
# Needs WINEPREFIX (the test run's prefix) and DISPLAY.
set -euo pipefail
probe=$1
out=$2

desktop=EmbraEdge
width=1024
height=600
report=$out/report.txt
mkdir -p "$out"
rm -f "$report"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

desktop_pid=""
cleanup() {
    if [ -n "$desktop_pid" ] && kill -0 "$desktop_pid" 2>/dev/null; then
        kill "$desktop_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
# What a test stopped at CTest's time limit left running in the prefix is ended first.
wineserver -k 2>/dev/null || true
timeout 60 wineserver -w || true

wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell /t REG_DWORD \
    /d 1 /f >/dev/null
wine explorer "/desktop=$desktop,${width}x$height" "$(winepath -w "$probe")" \
    "$(winepath -w "$report")" &
desktop_pid=$!

for _ in $(seq 300); do
    [ -s "$report" ] && break
    sleep 0.1
done
[ -s "$report" ] || fail "the probe wrote no report"
# The probe writes Windows line ends.
read -r word edge left top right bottom screen_width screen_height < <(tr -d '\r' <"$report")
echo "probe: $word $edge $left,$top - $right,$bottom on ${screen_width}x$screen_height"
[ "$word" = edge ] || fail "unreadable report"
[ "$screen_width" = $width ] && [ "$screen_height" = $height ] ||
    fail "the screen is not the virtual desktop's ${width}x$height"
[ "$edge" = 1 ] || fail "edge $edge, not 1 (bottom)"
[ "$bottom" -ge $height ] && [ "$top" -gt $((height / 2)) ] && [ "$top" -lt $height ] ||
    fail "the taskbar does not lie along the bottom"
[ "$left" -le 0 ] && [ "$right" -ge $width ] || fail "the taskbar does not span the screen"
echo "PASS"
