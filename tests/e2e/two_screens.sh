#!/usr/bin/env bash
# Two monitors under Wine: a private Xvfb server with two screens and Xinerama, outside any
# virtual desktop, and Wine reading its monitors from Xinerama (Xvfb's RandR shows a single
# output, so Wine's RandR path reports one monitor). Xvfb puts both screens at (0, 0): the
# second monitor, 1024 x 768, overlaps the first, 1280 x 720, and reaches 48 rows below it.
# Runs the TwoScreens test suite there, which must not skip. With EMBRA_TWO_SCREENS_SHOT=1
# it also saves a screenshot while the suite holds its two overlays on the screen: a look by
# hand, not part of the test run, since Wine's presentation stalled for up to a minute
# after the screenshot on this server.
# Usage: two_screens.sh <embra_windows_tests.exe> <with-xvfb.sh> <output dir>
# Needs WINEPREFIX (the test run's prefix).
set -euo pipefail
tests=$1
with_xvfb=$2
out=$3
mkdir -p "$out"
rm -f "$out"/*.png "$out"/holding "$out"/test.log

x11='HKCU\Software\Wine\X11 Driver'
restore() {
    wine reg delete "$x11" /v UseXRandR /f >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
}
trap restore EXIT
# What a test stopped at CTest's time limit left running in the prefix is ended first.
wineserver -k 2>/dev/null || true
wine reg add "$x11" /v UseXRandR /d N /f >/dev/null 2>&1
timeout 60 wineserver -w

run_suite() {
    if [ "${EMBRA_TWO_SCREENS_SHOT:-}" != 1 ]; then
        wine "$tests" --gtest_filter='TwoScreens.*' >"$out/test.log" 2>&1
        return
    fi
    EMBRA_HOLD_FILE=$(winepath -w "$out/holding") wine "$tests" --gtest_filter='TwoScreens.*' \
        >"$out/test.log" 2>&1 &
    local pid=$!
    for _ in $(seq 300); do
        [ -e "$out/holding" ] && break
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    [ -e "$out/holding" ] && import -window root "$out/two-screens.png"
    wait $pid
}
export -f run_suite
export tests out EMBRA_TWO_SCREENS_SHOT
status=0
EMBRA_FORCE_XVFB=1 EMBRA_XVFB_EXTRA="-screen 1 1024x768x24 +xinerama" "$with_xvfb" \
    bash -c run_suite || status=$?
cat "$out/test.log"
[ "$status" -eq 0 ] || { echo "FAIL: the suite failed" >&2; exit 1; }
grep -q '\[  SKIPPED \]' "$out/test.log" && { echo "FAIL: Wine reported one monitor" >&2; exit 1; }
if [ "${EMBRA_TWO_SCREENS_SHOT:-}" = 1 ]; then
    [ -s "$out/two-screens.png" ] || { echo "FAIL: no screenshot" >&2; exit 1; }
    echo "screenshot: $out/two-screens.png"
fi
echo "PASS"
