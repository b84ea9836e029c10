#!/usr/bin/env bash
# Photographs the setup program's welcome page under Wine at a DPI of the screen (Wine's
# "LogPixels"; 96 is 100 %, 144 is 150 %), in a 1280x720 virtual desktop of a Wine prefix
# of its own (build/setup-screenshot-prefix, made on the first run). Needs the packages
# (scripts/package.sh) and a display (scripts/with-xvfb.sh gives one).
#
# Usage: scripts/setup-screenshot.sh <dpi> <picture.png>
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=$1
picture=$2
version=$(sed -n 's/^project(Embra VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=build/dist/Embra-$version-setup.exe
[ -f "$setup" ] || {
    echo "setup-screenshot.sh: no $setup (scripts/package.sh makes it)" >&2
    exit 1
}
export WINEPREFIX=$PWD/build/setup-screenshot-prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || cmake -DPREFIX="$WINEPREFIX" -P cmake/WinePrefix.cmake
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
wineserver -w
wine explorer /desktop=Setup,1280x720 "$(winepath -w "$setup")" >/dev/null 2>&1 &
desktop=$!
# The setup unpacks itself and draws its first page within a few seconds.
sleep "${EMBRA_SETUP_SECONDS:-8}"
import -window root "$picture"
# Ends the setup, and with it the desktop; nothing was installed.
wineserver -k
wait "$desktop" 2>/dev/null || true
echo "Screenshot: $picture"
