#!/usr/bin/env bash
# Measures the CPU seconds that embra.exe uses while it shows one effect for a while:
# the Windows build under Wine, in a 1280x720 virtual desktop with a taskbar on a private
# Xvfb display, in the run prefix of scripts/run.sh, and how often its threads switched
# context meanwhile (a thread that waits and wakes switches twice). The program's stored
# effect and exit question are set for the measurement and put back afterwards.
# Usage: scripts/measure-cpu.sh [Embra|Glimra|Ripla] [seconds]   (defaults: Embra 60)
set -euo pipefail
trap 'echo "measure-cpu.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
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

export WINEPREFIX=${EMBRA_RUN_PREFIX:-$PWD/build/run-prefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
desktop=Embra,1280x720
source scripts/run-prefix.sh
prepare_prefix
current=$(stored_value "$sets_key" current)
confirm=$(stored_value "$options_key" ConfirmExit)
wine reg add "$sets_key" /v current /d "$effect" /f >/dev/null 2>&1
# Nobody answers "Quit program?" at the end.
wine reg add "$options_key" /v ConfirmExit /d 0 /f >/dev/null 2>&1

wine explorer "/desktop=$desktop" "$(winepath -w build/windows/app/embra.exe)" &
wine_pid=$!
pid=$(wait_for_program)
if [ -z "$pid" ]; then
    echo "embra.exe did not start" >&2
    end_program "$desktop" "$wine_pid"
    exit 1
fi
# Context switches (voluntary and involuntary) of every thread of the program so far.
switches() {
    cat /proc/"$pid"/task/*/status 2>/dev/null |
        awk '/^(non)?voluntary_ctxt_switches:/ { n += $2 } END { print n + 0 }'
}
# The switches are counted after the start-up's first seconds.
settle=$((seconds > 4 ? 2 : 0))
sleep "$settle"
switched=$(switches)
sleep $((seconds - settle))
# Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks.
ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
switched=$(($(switches) - switched))
hz=$(getconf CLK_TCK)
end_program "$desktop" "$wine_pid"
restore_value "$sets_key" current "$current"
restore_value "$options_key" ConfirmExit "$confirm"
timeout 60 wineserver -w || true
awk -v t="$ticks" -v hz="$hz" -v s="$seconds" -v e="$effect" -v c="$switched" -v w="$((seconds - settle))" \
    'BEGIN { printf "%s: %.2f CPU seconds in %d s (%.1f %% of one core), %.0f context switches a second\n", e, t / hz, s, 100 * t / hz / s, c / w }'
