#!/usr/bin/env bash
# The README's run command as a new user meets it: no display, no Wine prefix yet. Runs
# scripts/run.sh twice in a prefix of its own (a fresh one, then the same one again with
# "ConfirmExit" stored as "1") and checks each time that it ends with status 0, leaves a screenshot with the fire
# burning above the taskbar, and puts the user's "ConfirmExit" back as it was.
#
# Usage: run_command.sh <repository root> <output dir>
set -euo pipefail
root=$1
out=$2
prefix=$out/run-prefix
shot=$root/build/run-screenshot.png
mask=$out/mask.png
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The virtual desktop is 1280x720 with a 20-row taskbar at the bottom: the band is the 200
# rows above it. "Far outside" is more than 40 rows above the band, leaving out the middle
# of the screen, where the main window shows its fire-coloured buttons on a first run.
band_geometry=1280x200+0+500
far_geometries=(1280x280+0+0 480x180+0+280 480x180+800+280)
min_band_pixels=1000

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
cleanup() {
    timeout 60 wineserver -w 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT

count_in() {
    convert "$mask" -crop "$1" +repage -format '%[fx:round(mean*w*h)]' info:
}

confirm_exit() {
    { wine reg query 'HKCU\Software\Lumavist\Embra\Options\Common' /v ConfirmExit \
        2>/dev/null || true; } | tr -d '\r' | sed -n 's/^ *ConfirmExit *REG_[A-Z]* *//p'
}

# $1: what the run is; $2: the "ConfirmExit" expected after it ("" for absent).
run_once() {
    echo "== $1"
    rm -f "$shot"
    local status=0
    # Five seconds of fire are enough for the screenshot (a user gets eight).
    env -u DISPLAY EMBRA_RUN_PREFIX="$prefix" EMBRA_RUN_SECONDS=5 bash "$root/scripts/run.sh" ||
        status=$?
    [ "$status" -eq 0 ] || fail "$1: scripts/run.sh ended with status $status"
    [ -s "$shot" ] || fail "$1: no screenshot at $shot"
    cp "$shot" "$out/$(echo "$1" | tr ' ,' '--').png"
    # Fire colours: red above green, clearly above blue.
    convert "$shot" -fx 'r>g && r-b>0.1' "$mask"
    local inside far=0 geometry
    inside=$(count_in "$band_geometry")
    for geometry in "${far_geometries[@]}"; do
        far=$((far + $(count_in "$geometry")))
    done
    echo "fire pixels in the band: $inside, far above it: $far"
    [ "$inside" -ge "$min_band_pixels" ] || fail "$1: fewer than $min_band_pixels fire pixels in the band"
    [ "$far" -eq 0 ] || fail "$1: $far fire pixels far outside the band"
    local confirm
    confirm=$(confirm_exit)
    [ "$confirm" = "$2" ] || fail "$1: ConfirmExit is '$confirm', expected '$2'"
}

mkdir -p "$out"
rm -rf "$prefix"
run_once "fresh prefix" ""
wine reg add 'HKCU\Software\Lumavist\Embra\Options\Common' /v ConfirmExit /d 1 /f >/dev/null
run_once "prefix reused, ConfirmExit 1" 1
echo "PASS"
