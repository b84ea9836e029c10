#!/usr/bin/env bash
# Builds embra.exe (installing what is missing) and runs it under Wine in a 1280x720
# virtual desktop with a taskbar, in a prefix under build/ that is made on first use and
# reused (EMBRA_RUN_PREFIX names another one). With a display the program runs until it or
# the desktop is closed. Without one ($DISPLAY unset) it runs on a private Xvfb server for
# a few seconds after it started (EMBRA_RUN_SECONDS, default 8), saves a screenshot, asks
# the program to end and ends.
set -Eeuo pipefail
trap 'echo "run.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
root=$PWD
export WINEPREFIX=${EMBRA_RUN_PREFIX:-$root/build/run-prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
embra=$root/build/windows/app/embra.exe
desktop=Embra,1280x720
screenshot=$root/build/run-screenshot.png
source scripts/run-prefix.sh

# On the private Xvfb display: a few seconds of effect, a screenshot, a close request.
# Nobody is there to answer "Quit program?", so the question is off for this run and
# the user's own choice is put back once the program has saved its settings and ended.
run_headless() {
    prepare_prefix
    local confirm
    confirm=$(stored_value "$options_key" ConfirmExit)
    wine reg add "$options_key" /v ConfirmExit /d 0 /f >/dev/null 2>&1
    wine explorer "/desktop=$desktop" "$(winepath -w "$embra")" &
    local wine_pid=$! pid
    pid=$(wait_for_program)
    if [ -z "$pid" ]; then
        echo "embra.exe did not start within a minute" >&2
        end_program "$desktop" "$wine_pid"
        return 1
    fi
    sleep "${EMBRA_RUN_SECONDS:-8}"
    kill -0 "$pid" 2>/dev/null || echo "embra.exe ended before the screenshot" >&2
    rm -f "$screenshot"
    import -window root "$screenshot"
    echo "Screenshot: $screenshot"
    end_program "$desktop" "$wine_pid"
    timeout 60 wineserver -w || echo "Wine did not end within 60 s" >&2
    restore_value "$options_key" ConfirmExit "$confirm"
    timeout 60 wineserver -w || echo "Wine did not end within 60 s" >&2
}

if [ "${1:-}" = --headless ]; then
    run_headless
    exit 0
fi

scripts/install-deps.sh
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j"$(nproc)" --target embra

if [ -z "${DISPLAY:-}" ]; then
    exec scripts/with-xvfb.sh "$0" --headless
fi
prepare_prefix
exec wine explorer "/desktop=$desktop" "$(winepath -w "$embra")"
