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
options='HKCU\Software\Lumavist\Embra\Options\Common'

# Makes the prefix on first use; its virtual desktop "Embra" shows the shell's taskbar.
prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Embra' /v EnableShell /t REG_DWORD \
            /d 1 /f >/dev/null 2>&1
        wineserver -w
    fi
    # Wine does not find Debian's copy of Marlett, which draws the caption buttons.
    local marlett=/usr/share/wine/fonts/marlett.ttf
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    if [ -f "$marlett" ] && [ ! -f "$fonts/marlett.ttf" ]; then
        cp "$marlett" "$fonts/"
    fi
}

# Reads a value of the program's common options; empty when it is absent.
common_option() {
    wine reg query "$options" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}

# On the private Xvfb display: a few seconds of effect, a screenshot, a close request.
# Nobody is there to answer "Quit program?", so the question is off for this run and
# the user's own choice is put back once the program has saved its settings and ended.
run_headless() {
    prepare_prefix
    local confirm
    confirm=$(common_option ConfirmExit)
    wine reg add "$options" /v ConfirmExit /d 0 /f >/dev/null 2>&1
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
    if [ -n "$confirm" ]; then
        wine reg add "$options" /v ConfirmExit /d "$confirm" /f >/dev/null 2>&1
    else
        wine reg delete "$options" /v ConfirmExit /f >/dev/null 2>&1 || true
    fi
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
