#!/usr/bin/env bash
# Measures the CPU seconds that embra.exe uses while it shows one effect for a while:
# the Windows build under Wine, in a 1280x720 virtual desktop with a taskbar on a private
# Xvfb display, in the run prefix of scripts/run.sh.
# Usage: scripts/measure-cpu.sh [Embra|Glimra|Ripla] [seconds]   (defaults: Embra 60)
set -euo pipefail
cd "$(dirname "$0")/.."
effect=${1:-Embra}
seconds=${2:-60}

if [ "${EMBRA_MEASURE_INNER:-}" != 1 ]; then
    scripts/install-deps.sh
    cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
    cmake --build build/windows -j"$(nproc)" --target embra >/dev/null
    EMBRA_MEASURE_INNER=1 EMBRA_FORCE_XVFB=1 exec scripts/with-xvfb.sh "$0" "$effect" "$seconds"
fi

export WINEPREFIX=$PWD/build/run-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
desktop=/desktop=Embra,1280x720
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Embra' /v EnableShell /t REG_DWORD /d 1 \
    /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Lumavist\Embra\Sets' /v current /d "$effect" /f >/dev/null 2>&1

wine explorer "$desktop" "$(winepath -w build/windows/app/embra.exe)" &
wine_pid=$!
pid=""
for _ in $(seq 100); do
    # The Windows process itself: its command line is the program's Windows path.
    pid=$(ps -eo pid=,args= | awk '$2 ~ /^[A-Z]:.*embra\.exe$/ { print $1; exit }')
    [ -n "$pid" ] && break
    sleep 0.1
done
[ -n "$pid" ] || { echo "embra.exe did not start" >&2; exit 1; }
sleep "$seconds"
# Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks.
ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
hz=$(getconf CLK_TCK)
wine explorer "$desktop" taskkill /im embra.exe >/dev/null 2>&1 || true
wait "$wine_pid" 2>/dev/null || true
wineserver -w
awk -v t="$ticks" -v hz="$hz" -v s="$seconds" -v e="$effect" \
    'BEGIN { printf "%s: %.2f CPU seconds in %d s (%.1f %% of one core)\n", e, t / hz, s, 100 * t / hz / s }'
