#!/usr/bin/env bash
# Measures the CPU seconds and the context switches of all threads (a thread that waits
# and wakes switches twice) of embra.exe for a while: the Windows build under Wine, in a
# 1280x720 virtual desktop with a taskbar on a private Xvfb display, in the run prefix of
# scripts/run.sh. The program's stored effect and exit question are set for the
# measurement and put back afterwards.
# The state measured: "running" shows the effect; "covered" pauses it behind a borderless
# window over the whole screen (the end-to-end driver's "cover"); "ruled" pauses it by a
# per-program rule, "pause while explorer.exe is running" (Wine's desktop is explorer.exe),
# so that the look at the running programs every 3 s is what it costs; "under" shows it
# under windows ("Placement" 1) behind a maximised window; "stopped" stops it.
# The count starts 3 s after the program came up (and the cover or the stop was made).
# "unshaped" turns off Wine's shaping of layered windows in the prefix for the run
# (ShapeLayeredWindows = N under HKCU\Software\Wine\X11 Driver): Wine then keeps no X shape
# for the overlay, as a compositing desktop would not need one, but shows its transparent
# pixels black; a stand-in for a compositing desktop's cost, not a way to run the program.
# Usage: scripts/measure-cpu.sh [Embra|Glimra|Ripla] [seconds]
#        [running|covered|ruled|under|stopped] [shaped|unshaped]
# (defaults: Embra 60 running shaped)
set -euo pipefail
trap 'echo "measure-cpu.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
effect=${1:-Embra}
seconds=${2:-60}
state=${3:-running}
shaping=${4:-shaped}
case $shaping in
shaped | unshaped) ;;
*)
    echo "measure-cpu.sh: the fourth argument is shaped or unshaped, not $shaping" >&2
    exit 1
    ;;
esac

if [ "${EMBRA_MEASURE_INNER:-}" != 1 ]; then
    scripts/install-deps.sh
    cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
    cmake --build build/windows -j"$(nproc)" --target embra embra_e2e_driver >/dev/null
    EMBRA_MEASURE_INNER=1 EMBRA_FORCE_XVFB=1 exec scripts/with-xvfb.sh "$0" "$effect" "$seconds" \
        "$state" "$shaping"
fi

export WINEPREFIX=${EMBRA_RUN_PREFIX:-$PWD/build/run-prefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
desktop=Embra,1280x720
source scripts/run-prefix.sh
prepare_prefix
current=$(stored_value "$sets_key" current)
confirm=$(stored_value "$options_key" ConfirmExit)
programs_key="$options_key\\Programs"
rule=$(stored_value "$programs_key" explorer.exe)
placement=$(stored_value "$options_key" Placement)
x11_key='HKCU\Software\Wine\X11 Driver'
shape=$(stored_value "$x11_key" ShapeLayeredWindows)
if [ "$shaping" = unshaped ]; then
    wine reg add "$x11_key" /v ShapeLayeredWindows /d N /f >/dev/null 2>&1
fi
wine reg add "$sets_key" /v current /d "$effect" /f >/dev/null 2>&1
if [ "$state" = ruled ]; then
    wine reg add "$programs_key" /v explorer.exe /d running /f >/dev/null 2>&1
fi
if [ "$state" = under ]; then
    wine reg add "$options_key" /v Placement /d 1 /f >/dev/null 2>&1
fi
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
# Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$pid/stat"
}
# The voluntary and involuntary context switches of every thread of the process.
switches() {
    cat "/proc/$pid"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { n += $2 } END { print n + 0 }'
}
driver=$(winepath -w build/windows/tests/e2e/embra_e2e_driver.exe)
driver_report=$(winepath -w "$WINEPREFIX/drive_c/measure-report.txt")
sleep 3
case $state in
covered | under)
    cover=$([ "$state" = under ] && echo maximised || true)
    wine explorer "/desktop=$desktop" "$driver" "$driver_report" cover $(((seconds + 10) * 1000)) \
        ${cover:+"$cover"} &
    ;;
stopped)
    wine explorer "/desktop=$desktop" "$driver" "$driver_report" stop >/dev/null 2>&1 || true
    ;;
esac
sleep 3
ticks_before=$(cpu_ticks)
switches_before=$(switches)
sleep "$seconds"
ticks=$(($(cpu_ticks) - ticks_before))
switched=$(($(switches) - switches_before))
hz=$(getconf CLK_TCK)
end_program "$desktop" "$wine_pid"
timeout 60 wineserver -w || true
restore_value "$sets_key" current "$current"
restore_value "$options_key" ConfirmExit "$confirm"
restore_value "$programs_key" explorer.exe "$rule"
restore_value "$options_key" Placement "$placement"
restore_value "$x11_key" ShapeLayeredWindows "$shape"
timeout 60 wineserver -w || true
awk -v t="$ticks" -v hz="$hz" -v s="$seconds" -v e="$effect" -v st="$state, $shaping" -v c="$switched" \
    'BEGIN { printf "%s, %s: %.2f CPU seconds in %d s (%.1f %% of one core), %.1f context switches a second\n", e, st, t / hz, s, 100 * t / hz / s, c / s }'
