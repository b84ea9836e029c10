#!/usr/bin/env bash
# End-to-end tests of the application shell: embra.exe in a 1280x720 Wine virtual desktop
# with a taskbar, driven by embra_e2e_driver.exe started inside the same desktop (a
# program sees only its own desktop's windows; wine explorer does not pass on exit codes,
# so the launcher and the driver write what they see into the report file).
#
# Usage: app_e2e.sh <embra.exe> <launcher.exe> <driver.exe> <output dir> <scenario>
# Scenarios: first-run, second-instance, hidden, enter-and-exit, logoff, taskbar-created,
# settings-switch.
# Needs WINEPREFIX (the test run's prefix) and DISPLAY.
set -euo pipefail
embra=$1
launcher=$2
driver=$3
out=$4
scenario=$5

desktop_size=1280x720
key='HKCU\Software\Lumavist\Embra'
report=$out/report.txt
mkdir -p "$out"
rm -f "$report" "$out"/*.png

source "$(dirname "$0")/e2e_common.sh"

# Runs a driver command inside the desktop and prints the line it reported.
drive() {
    local before
    before=$(wc -l <"$report")
    run_in_desktop "$(winepath -w "$driver")" "$(winepath -w "$report")" "$@"
    for _ in $(seq 100); do
        [ "$(wc -l <"$report")" -gt "$before" ] && break
        sleep 0.1
    done
    tr -d '\r' <"$report" | sed -n "$((before + 1))p"
}

value() {
    wine reg query "$key\\$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}

expect() {
    [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"
    echo "ok: $1: $2"
}

# The main window's line field by field: visible iconic left top right bottom stop.
field() {
    echo "$1" | cut -d' ' -f"$2"
}

set_value() {
    wine reg add "$key\\$1" /v "$2" /d "$3" /f >/dev/null
}

# The desktop of the previous scenario may still be closing: a start that does not come
# up is tried again.
start_program() {
    for _ in 1 2 3; do
        in_desktop "$(winepath -w "$launcher")" "$(winepath -w "$report")" "$(winepath -w "$embra")" &
        desktop_pid=$!
        wait_for_report 150 taskbar && return 0
        kill "$desktop_pid" 2>/dev/null || true
        sleep 2
    done
    fail "the virtual desktop did not start"
}

# Saves the part of the screen a driver line's rectangle covers ("name left top right
# bottom") as $out/$2.png.
snap_window() {
    local left top right bottom
    read -r _ left top right bottom <<<"$1"
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
        "$out/$2.png"
}

# Exit through the system menu and OK; the program ends with code 0.
exit_program() {
    drive sysexit >/dev/null
    expect "the exit asks" "$(drive answer ok)" "box Quit program?"
    wait_for_report 300 exit || fail "embra.exe did not end"
    expect "exit code" "$(tr -d '\r' <"$report" | sed -n 's/^exit //p')" 0
}

wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Embra' /v EnableShell /t REG_DWORD /d 1 \
    /f >/dev/null
wine reg delete "$key" /f >/dev/null 2>&1 || true
touch "$report"

# A later run: the main window's key exists.
later_run() {
    set_value 'Options\Windows\Main' Handle ""
    set_value 'Options\Common' StartMinimize "$1"
}

case $scenario in
first-run)
    start_program
    line=$(drive wait-main shown)
    expect "shown at first" "$(field "$line" 2)" 1
    centre=$((($(field "$line" 4) + $(field "$line" 6)) / 2))
    [ $((centre - 640)) -le 1 ] && [ $((640 - centre)) -le 1 ] || fail "not centred: $line"
    expect "the effect runs" "$(field "$(drive wait-running 1)" 8)" 1
    expect "titled" "$(echo "$line" | cut -d' ' -f9-)" "Embra desktop decoration"
    # EMBRA_VERSION: the project's version, from the test's environment.
    expect "the tray tip's version" "$(drive version "$(winepath -w "$embra")")" \
        "version $EMBRA_VERSION"
    import -window root "$out/main-window.png"
    sleep 4
    line=$(drive wait-main hidden)
    expect "hidden after 5 s" "$(field "$line" 2)" 0
    expect "in the tray" "$(drive tray)" "tray 1"
    drive tray-click >/dev/null
    line=$(drive wait-main shown)
    expect "a click on the icon restores" "$(field "$line" 2)" 1
    expect "the icon stays" "$(drive tray)" "tray 1"
    sleep 1
    import -window root "$out/main-window-and-tray.png"
    exit_program
    expect "StartMinimize" "$(value 'Options\Common' StartMinimize)" 1
    expect "current" "$(value Sets current)" Embra
    ;;
second-instance)
    later_run 1
    start_program
    line=$(drive wait-main hidden)
    expect "minimised into the tray" "$(field "$line" 2)" 0
    sleep 1
    expect "the second start ends" "$(drive second "$(winepath -w "$embra")")" "second-exit 1"
    line=$(drive wait-main shown)
    expect "the first comes forward" "$(field "$line" 2)" 1
    exit_program
    ;;
hidden)
    later_run 2
    start_program
    sleep 3
    line=$(drive wait-running 1)
    expect "hidden" "$(field "$line" 2)" 0
    expect "not minimised" "$(field "$line" 3)" 0
    expect "the effect runs" "$(field "$line" 8)" 1
    expect "no tray icon" "$(drive tray)" "tray 0"
    overlay=$(drive overlay)
    expect "the overlay lies on the taskbar" "$(field "$overlay" 3)" 500
    ;;
enter-and-exit)
    later_run 0
    start_program
    drive wait-main shown >/dev/null
    expect "running" "$(field "$(drive wait-running 1)" 8)" 1
    drive enter >/dev/null
    expect "Enter stops" "$(field "$(drive wait-running 0)" 8)" 0
    drive enter >/dev/null
    expect "Enter starts" "$(field "$(drive wait-running 1)" 8)" 1
    drive about >/dev/null
    sleep 1
    import -window root "$out/about-box.png"
    expect "About closes" "$(drive close-about)" "about-closed 1"
    drive sysexit >/dev/null
    expect "the exit asks" "$(drive answer cancel)" "box Quit program?"
    expect "Cancel keeps it running" "$(field "$(drive wait-running 1)" 8)" 1
    exit_program
    expect "saved" "$(value Sets current)" Embra
    ;;
settings-switch)
    later_run 0
    start_program
    drive wait-main shown >/dev/null
    expect "running" "$(field "$(drive wait-running 1)" 8)" 1
    settings=$(drive open-settings)
    [ "$(field "$settings" 2)" != none ] || fail "the settings window did not open"
    snap_window "$settings" settings-items
    expect "the common tab" "$(drive settings-tab 1)" "tab 1"
    snap_window "$settings" settings-common
    expect "back to the items list" "$(drive settings-tab 0)" "tab 0"
    row=0
    for effect in fire lights water; do
        dialog=$(drive effect-dialog $row)
        [ "$(field "$dialog" 2)" != none ] || fail "the $effect's settings dialog did not open"
        snap_window "$dialog" $effect-settings
        expect "the $effect's dialog closes" "$(drive cancel-effect-dialog)" \
            "effect-dialog-closed 1"
        row=$((row + 1))
    done
    # The clicks and the switch take longer than drive waits for its line.
    drive settings-switch >/dev/null
    wait_for_report 400 settings-switch || fail "the settings switch did not report"
    import -window root "$out/after-switch.png"
    expect "the settings window switches" "$(tr -d '\r' <"$report" | grep '^settings-switch ')" \
        "settings-switch 1"
    expect "current saved at once" "$(value Sets current)" Glimra
    overlay=$(drive overlay)
    expect "the northern lights lie along the top" "$(field "$overlay" 3)" 0
    expect "still running" "$(field "$(drive main)" 8)" 1
    exit_program
    ;;
logoff)
    later_run 1
    start_program
    drive wait-main hidden >/dev/null
    expect "the session may end" "$(drive logoff)" "logoff 1"
    expect "vis saved" "$(value 'Sets\Embra' vis)" 50
    expect "current saved" "$(value Sets current)" Embra
    expect "options saved" "$(value 'Options\Common' MinimizeToTray)" 1
    [ -n "$(value 'Options\Windows\Main' plmnt)" ] || fail "no window placement saved"
    ;;
taskbar-created)
    later_run 1
    start_program
    drive wait-main hidden >/dev/null
    expect "in the tray" "$(drive tray)" "tray 1"
    drive tray-forget >/dev/null
    drive raise-overlay >/dev/null
    expect "the icon is gone" "$(drive tray)" "tray 0"
    expect "the overlay is in front" "$(field "$(drive overlay)" 6)" 0
    drive taskbar-created >/dev/null
    expect "the icon is back" "$(drive tray)" "tray 1"
    expect "behind the taskbar again" "$(field "$(drive overlay)" 6)" 1
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
echo "PASS"
