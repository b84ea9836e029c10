#!/usr/bin/env bash
# Builds embra.exe (installing what is missing) and runs it under Wine in a 1280x720
# virtual desktop with a taskbar, in a throw-away prefix under build/ that is made once
# and reused. With a display the program runs until it or the desktop is closed. Without
# one ($DISPLAY unset) it runs on a private Xvfb server for a few seconds
# (EMBRA_RUN_SECONDS, default 8), saves a screenshot, asks the program to end and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export WINEPREFIX=$root/build/run-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
embra=$root/build/windows/app/embra.exe
desktop=Embra,1280x720
screenshot=$root/build/run-screenshot.png

# Makes the prefix on first use; its virtual desktop "Embra" shows the shell's taskbar.
prepare_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    echo "Making the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Embra' /v EnableShell /t REG_DWORD \
        /d 1 /f >/dev/null 2>&1
    wineserver -w
}

# On the private Xvfb display: a few seconds of effect, a screenshot, a close request.
run_headless() {
    prepare_prefix
    wine explorer "/desktop=$desktop" "$(winepath -w "$embra")" &
    local wine_pid=$!
    sleep "${EMBRA_RUN_SECONDS:-8}"
    import -window root "$screenshot"
    echo "Screenshot: $screenshot"
    # taskkill sees only the windows of its own desktop.
    wine explorer "/desktop=$desktop" taskkill /im embra.exe >/dev/null 2>&1 || true
    for _ in $(seq 150); do
        kill -0 "$wine_pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$wine_pid" 2>/dev/null; then
        echo "embra.exe did not end after the close request; ending Wine" >&2
        wineserver -k || true
    fi
    wait "$wine_pid" 2>/dev/null || true
    wineserver -w
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
