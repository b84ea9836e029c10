#!/usr/bin/env bash
# End-to-end tests of the application shell: embra.exe in a 1280x720 Wine virtual desktop
# with a taskbar, driven by embra_e2e_driver.exe started inside the same desktop (a
# program sees only its own desktop's windows; wine explorer does not pass on exit codes,
# so the launcher and the driver write what they see into the report file).
#
# Usage: app_e2e.sh <embra.exe> <launcher.exe> <driver.exe> <output dir> <scenario>
# Scenarios: first-run, enter-and-exit, taskbar-created, settings-switch, killed-first-run,
# hotkey, full-screen, under-windows, tray-menu, languages, command-running, command-none,
# soak (EMBRA_SOAK=long for the long run), crash (with the crash test's build of the
# program as <embra.exe>) and measure (EMBRA_MEASURE: embra-measure.exe).
# Needs WINEPREFIX (the test run's prefix) and DISPLAY.
set -euo pipefail
embra=$1
launcher=$2
driver=$3
out=$4
scenario=$5

desktop_size=1280x720
key='HKCU\Software\Lumavist\Embra'
hive_key='HKEY_CURRENT_USER\Software\Lumavist\Embra'
report=$out/report.txt
mkdir -p "$out"
rm -f "$report" "$out"/*.png

source "$(dirname "$0")/e2e_common.sh"
# program_pid: the embra.exe process of this prefix.
source "$(dirname "$0")/../../scripts/run-prefix.sh"

# The main window's line field by field: visible iconic left top right bottom stop.
field() {
    echo "$1" | cut -d' ' -f"$2"
}

set_value() {
    wine reg add "$key\\$1" /v "$2" /d "$3" /f >/dev/null
}

# The desktop of the previous scenario may still be closing: a start that does not come
# up is tried again. The arguments go to the program.
start_program() {
    for _ in 1 2 3; do
        in_desktop "$(windows_path "$launcher")" "$report_path" "$(windows_path "$embra")" "$@" &
        desktop_pid=$!
        wait_for_report 150 taskbar && start_server && return 0
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

# The program's exit code once it has ended, then its desktop has closed and the report is
# empty again, for the next start.
program_ended() {
    wait_for_report 300 exit || fail "embra.exe did not end"
    tr -d '\r' <"$report" | sed -n 's/^exit //p'
    for _ in $(seq 50); do
        kill -0 "$desktop_pid" 2>/dev/null || break
        sleep 0.2
    done
    : >"$report"
}

# The desktop with the shell's taskbar and the program's settings afresh. Wine keeps an X
# shape of each layered window, made anew on every frame, which costs most of what the
# program costs under Wine: no scenario here counts the effect's pixels, so the shaping is
# off, but for the runs that take the README's pictures (EMBRA_E2E_PICTURES=1).
shaping='"N"'
[ "${EMBRA_E2E_PICTURES:-}" != 1 ] || shaping=-
import_registry <<EOF
[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Embra]
"EnableShell"=dword:00000001

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"ShapeLayeredWindows"=$shaping

[-$hive_key]
EOF
# Crash reports a failed run of the crash scenario left would make the next start tell of
# them.
rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Embra/CrashDumps
touch "$report"

# A later run: the main window's key exists.
later_run() {
    import_registry <<EOF
[$hive_key\Options\Windows\Main]
"Handle"=""

[$hive_key\Options\Common]
"StartMinimize"="$1"
EOF
}

# A later run with "StartMinimize" $1, started with the arguments after it: waits until
# its main window is shown (0) or hidden (1, 2) and the effect runs.
start_running() {
    local state=hidden
    [ "$1" != 0 ] || state=shown
    later_run "$1"
    shift
    start_program "$@"
    drive wait-main "$state" >/dev/null
    expect "running" "$(field "$(drive wait-running 1)" 8)" 1
}

# What the program's process holds: the driver's line with the counts Windows gives
# (Wine 8 reports 0 for most of them), then what Linux sees of the same process: resident
# memory in KiB, open files and threads.
usage() {
    local line pid
    line=$(drive_for 60 usage "$1")
    pid=$(program_pid)
    [ -n "$pid" ] || fail "no embra.exe process in this prefix"
    echo "$line rss $(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")" \
        "fds $(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 | wc -l)" \
        "threads $(awk '/^Threads:/ { print $2 }' "/proc/$pid/status")"
}

# A usage line's field: handles, gdi, user, memory, rss, fds or threads.
usage_field() {
    echo "$1" | awk -v name="$2" '{ for (i = 3; i < NF; i += 2) if ($i == name) print $(i + 1) }'
}

# Fails when a count grew by more than the allowance between two usage lines.
expect_flat() {
    local grown=$(($(usage_field "$3" "$1") - $(usage_field "$2" "$1")))
    [ "$grown" -le "$4" ] || fail "$1 grew by $grown (allowed $4): $2 -> $3"
    echo "ok: $1 grew by $grown (allowed $4)"
}

# Many stops and starts, openings of the settings window and the About box, and the pointer
# over a picture button; what the process holds must stay flat. The counts after a first
# block of cycles and a few openings (heaps and caches warmed up) are held against those at
# the end.
soak() {
    local cycles=240 blocks=4 windows=12 hover=8
    if [ "${EMBRA_SOAK:-}" = long ]; then
        cycles=5000 blocks=50 windows=200 hover=60
    fi
    start_running 0
    usage start
    local per_block=$((cycles / blocks)) warm last
    # The first block and a few openings of each window load what stays loaded.
    expect "warm-up cycles" "$(drive_for 600 cycles "$per_block")" "cycles $per_block"
    expect "warm-up windows" "$(drive_for 300 windows 5)" "windows 5"
    warm=$(usage "after-$per_block-cycles-and-5-windows")
    echo "$warm"
    for block in $(seq 2 "$blocks"); do
        expect "cycles" "$(drive_for 600 cycles "$per_block")" "cycles $per_block"
        usage "after-$((block * per_block))-cycles"
    done
    expect "settings and About" "$(drive_for 900 windows "$windows")" "windows $windows"
    usage "after-$windows-windows"
    expect "hover" "$(drive_for $((hover + 60)) hover "$hover")" "hovered $hover"
    last=$(usage end)
    echo "$last"
    expect "still running" "$(field "$(drive main)" 8)" 1
    expect_flat handles "$warm" "$last" 16
    expect_flat gdi "$warm" "$last" 16
    expect_flat user "$warm" "$last" 16
    expect_flat memory "$warm" "$last" 4096
    expect_flat rss "$warm" "$last" 8192
    expect_flat fds "$warm" "$last" 4
    expect_flat threads "$warm" "$last" 0
    exit_program
}

# The CPU clock ticks (user and system) that process $1 has used so far.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# A borderless window over the whole screen comes to the front (a maximised one under windows
# with "maximised"): the overlay goes within two seconds and the program then uses almost no
# CPU; when the window goes (or is restored), the overlay comes back within two seconds. The cover window's helper reports into a file of its own, so that its lines do not
# mix with the driver's.
full_screen() {
    local cover_report=$out/cover.txt line pid before used
    [ "${1:-}" != maximised ] || set_value 'Options\Common' Placement 1
    start_running 1
    expect "the overlay shows" "$(field "$(drive wait-overlay 1)" 2)" 1
    pid=$(program_pid)
    rm -f "$cover_report"
    in_desktop "$driver_path" "$(windows_path "$cover_report")" cover 9000 ${1:-} &
    for _ in $(seq 200); do
        grep -q '^covered' "$cover_report" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^covered' "$cover_report" || fail "the covering window did not come"
    line=$(drive wait-overlay 0)
    expect "the overlay goes" "$(field "$line" 2)" 0
    [ "$(field "$line" 3)" -le 2000 ] || fail "the overlay went only after $(field "$line" 3) ms"
    sleep 1
    import -window root "$out/covered.png"
    before=$(cpu_ticks "$pid")
    sleep 2
    used=$(($(cpu_ticks "$pid") - before))
    echo "CPU ticks in 2 s behind the ${1:-full-screen} window: $used ($(getconf CLK_TCK) a second)"
    [ "$used" -le 10 ] || fail "paused, the program used $used ticks in 2 s"
    expect "paused, not stopped" "$(field "$(drive main)" 8)" 1
    for _ in $(seq 200); do
        grep -q '^uncovered' "$cover_report" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^uncovered' "$cover_report" || fail "the covering window did not go"
    line=$(drive wait-overlay 1)
    expect "the overlay comes back" "$(field "$line" 2)" 1
    [ "$(field "$line" 3)" -le 2000 ] || fail "the overlay came back after $(field "$line" 3) ms"
    exit_program
}

# The tray icon's menu by a real right click, with another program's window in front, which
# the menu offers a rule for: "Pause for 1 hour" hides the overlay while the effect stays on,
# choosing it again brings it back, and "Exit" asks and ends the program.
tray_menu() {
    local menu
    start_running 1
    expect "the overlay shows" "$(field "$(drive wait-overlay 1)" 2)" 1
    in_desktop notepad.exe >/dev/null 2>&1 &
    # Another program in front first: its window coming up later would close the menu.
    expect "notepad in front" "$(drive wait-foreground Notepad)" "foreground 1"
    menu=$(drive tray-menu)
    [ "$(field "$menu" 2)" != none ] || fail "no menu after a right click on the tray icon"
    import -window root "$out/tray-menu-screen.png"
    # The menu with the corner of the screen below it, where the icon is.
    snap_window "menu $(($(field "$menu" 2) - 40)) $(($(field "$menu" 3) - 40)) 1280 720" tray-menu
    expect "Pause for 1 hour" "$(drive keys down,down,return)" "keys 3"
    expect "paused: the overlay goes" "$(field "$(drive wait-overlay 0)" 2)" 0
    expect "paused, not stopped" "$(field "$(drive main)" 8)" 1
    menu=$(drive tray-menu)
    [ "$(field "$menu" 2)" != none ] || fail "no menu at the second right click"
    import -window root "$out/tray-menu-paused.png"
    expect "Pause for 1 hour again" "$(drive keys down,down,return)" "keys 3"
    expect "resumed at once" "$(field "$(drive wait-overlay 1)" 2)" 1
    menu=$(drive tray-menu)
    [ "$(field "$menu" 2)" != none ] || fail "no menu at the third right click"
    expect "Exit" "$(drive keys up,return)" "keys 2"
    expect "the exit asks" "$(drive answer ok)" "box Quit program?"
    wait_for_report 300 exit || fail "embra.exe did not end"
    expect "exit code" "$(tr -d '\r' <"$report" | sed -n 's/^exit //p')" 0
    run_in_desktop taskkill /f /im notepad.exe >/dev/null 2>&1
}

# The program in Windows' display language: German, then Japanese (Wine takes the
# language from LC_ALL). The main window, the settings window's "Common" tab and the tray
# tip of the hour's pause are photographed as <language>-<window>.png; the tip's text comes
# from the language's string table.
languages() {
    local locale language settings tip
    for locale in de_DE ja_JP; do
        language=${locale%_*}
        later_run 1
        wine_locale=$locale.UTF-8
        start_program
        wine_locale=""
        drive wait-main hidden >/dev/null
        expect "$language: running" "$(field "$(drive wait-running 1)" 8)" 1
        drive tray-click >/dev/null
        line=$(drive wait-main shown)
        expect "$language: shown from the tray" "$(field "$line" 2)" 1
        snap_window "main $(echo "$line" | cut -d' ' -f4-7)" "$language-main-window"
        settings=$(drive open-settings)
        [ "$(field "$settings" 2)" != none ] || fail "$language: the settings window did not open"
        expect "$language: the common tab" "$(drive settings-tab 1)" "tab 1"
        snap_window "$settings" "$language-settings-common"
        drive keys escape >/dev/null
        [ "$(field "$(drive tray-menu)" 2)" != none ] || fail "$language: no tray menu"
        expect "$language: pause for 1 hour" "$(drive keys down,down,return)" "keys 3"
        expect "$language: paused" "$(field "$(drive wait-overlay 0)" 2)" 0
        tip=$(drive tray-tip)
        [ "$(field "$tip" 2)" != none ] || fail "$language: no tray tip"
        snap_window "tip $(($(field "$tip" 2) - 10)) $(($(field "$tip" 3) - 10)) 1280 720" \
            "$language-tray-tip"
        drive sysexit >/dev/null
        expect "$language: the exit asks" "$(drive answer ok | cut -c1-4)" "box "
        wait_for_report 300 exit || fail "$language: embra.exe did not end"
        sleep 3
        : >"$report"
    done
}

# The command line handed to the running copy: each command changes what it says, a bad
# value changes nothing, and "/exit" ends the copy, saved, before the command returns.
command_running() {
    local program
    program=$(windows_path "$embra")
    start_running 1
    expect "/stop" "$(drive second "$program" /stop)" "second-exit 0"
    expect "stopped" "$(field "$(drive wait-running 0)" 8)" 0
    expect "/toggle" "$(drive second "$program" -TOGGLE)" "second-exit 0"
    expect "started" "$(field "$(drive wait-running 1)" 8)" 1
    expect "/effect glimra" "$(drive second "$program" "/effect glimra")" "second-exit 0"
    expect "current stored" "$(value Sets current)" Glimra
    expect "the northern lights lie along the top" "$(field "$(drive overlay)" 3)" 0
    expect "/pause 5" "$(drive second "$program" "/pause 5")" "second-exit 0"
    expect "paused: the overlay goes" "$(field "$(drive wait-overlay 0)" 2)" 0
    expect "a bad value" "$(drive second "$program" "/pause 5000 /quiet")" "second-exit 1"
    expect "/pause 0" "$(drive second "$program" "/pause 0")" "second-exit 0"
    expect "resumed" "$(field "$(drive wait-overlay 1)" 2)" 1
    expect "still running" "$(field "$(drive main)" 8)" 1
    # The copy ends before the command returns: the launcher's line comes first.
    drive second "$program" /exit >/dev/null
    expect "/exit" "$(tr -d '\r' <"$report" | grep '^second-exit ' | tail -n 1)" "second-exit 0"
    expect "ended, code" "$(program_ended)" 0
    expect "saved" "$(value 'Sets\Glimra' vis)" 50
}

# No copy runs: a bad switch is named in a box and changes nothing, a command that needs
# a running copy ends with 2, and "/effect" starts the program showing that effect.
command_none() {
    later_run 1
    start_program /bogus
    local box
    box=$(drive answer ok)
    [[ $box == "box Embra does not know the switch /bogus."* ]] || fail "the box says: $box"
    expect "bad arguments" "$(program_ended)" 1
    start_program /stop /quiet
    expect "no running copy" "$(program_ended)" 2
    [ -z "$(value Sets current)" ] || fail "a refused command stored the effect"
    start_program /effect Ripla
    drive wait-main hidden >/dev/null
    expect "running" "$(field "$(drive wait-running 1)" 8)" 1
    expect "the water is current" "$(value Sets current)" Ripla
    exit_program
}

# The crash test's build fails on the main thread, on a worker thread and in a window
# procedure: each writes a report that dbghelp reads, with the exception and the program's
# module, and ends with the access violation's code; the settings are saved only after a
# failure on another thread than the main one. Each start after a crash tells of the newest
# report once, and no start after that.
crash() {
    local reports line where count=0
    # The user's local application data in the prefix, found without starting Wine.
    reports=$(find "$WINEPREFIX/drive_c/users" -mindepth 3 -maxdepth 3 -path '*/AppData/Local' |
        head -n 1)/Embra/CrashDumps
    later_run 1
    for where in main worker window; do
        start_program /crash "$where"
        if [ "$where" != main ]; then
            expect "told of the report before" "$(drive answer cancel)" \
                "box Embra ended unexpectedly"
        fi
        expect "$where: the access violation's code" "$(program_ended)" -1073741819
        count=$((count + 1))
        expect "$where: reports" "$(find "$reports" -name '*.dmp' | wc -l)" "$count"
        line=$(drive dump "$(windows_path "$(ls -t "$reports"/*.dmp | head -n 1)")")
        expect "$where: the report read" "$(echo "$line" | cut -d' ' -f1,2,4)" "dump c0000005 1"
        [ "$(field "$line" 3)" -ge 2 ] || fail "$where: too few threads in the report: $line"
        if [ "$where" = worker ]; then
            expect "saved after a worker's failure" "$(value 'Sets\Embra' vis)" 50
        else
            expect "nothing saved after the main thread's" "$(value 'Sets\Embra' vis)" ""
        fi
        wine reg delete "$key\\Sets" /f >/dev/null 2>&1 || true
    done
    echo "report sizes: $(du -b "$reports"/*.dmp | cut -f1 | tr '\n' ' ')"
    start_program
    expect "told once more" "$(drive answer cancel)" "box Embra ended unexpectedly"
    expect "running" "$(field "$(drive wait-running 1)" 8)" 1
    exit_program
    program_ended >/dev/null
    start_program
    expect "running" "$(field "$(drive wait-running 1)" 8)" 1
    expect "never again" "$(drive answer cancel)" "box none"
    exit_program
    rm -rf "$reports"
}

# The measuring tool against the running program: a table with a row per effect, the frames
# counted, what Wine does not give as "n/a", and the effect shown before shown again.
measure() {
    local table=$out/table.md row
    rm -f "$table"
    set_value Sets current Ripla
    start_running 1
    run_in_desktop "$(windows_path "$EMBRA_MEASURE")" --seconds 2 --warm-up 1 \
        --out "$(windows_path "$table")"
    for _ in $(seq 600); do
        [ -s "$table" ] && break
        sleep 0.1
    done
    [ -s "$table" ] || fail "embra-measure wrote no table"
    cat "$table"
    grep -q '^## Embra [0-9.]* on Wine ' "$table" || fail "no heading naming Wine"
    grep -q '^- Displays: 1280 x 720 at [0-9]* Hz' "$table" || fail "no display line"
    for effect in Embra Glimra Ripla; do
        row=$(grep "^| $effect |" "$table") || fail "no row for $effect"
        expect "$effect: CPU under Wine" "$(echo "$row" | cut -d'|' -f3 | tr -d ' ')" n/a
        awk -F'|' '{ exit !($5 + 0 > 0) }' <<<"$row" || fail "$effect: no frames counted: $row"
    done
    expect "shown before, shown again" "$(value Sets current)" Ripla
    expect "still running" "$(field "$(drive main)" 8)" 1
    exit_program
}

case $scenario in
languages)
    languages
    ;;
measure)
    measure
    ;;
command-running)
    command_running
    ;;
command-none)
    command_none
    ;;
crash)
    crash
    ;;
full-screen)
    full_screen
    ;;
under-windows)
    full_screen maximised
    ;;
tray-menu)
    tray_menu
    ;;
first-run)
    start_program
    line=$(drive wait-main shown)
    expect "shown at first" "$(field "$line" 2)" 1
    centre=$((($(field "$line" 4) + $(field "$line" 6)) / 2))
    [ $((centre - 640)) -le 1 ] && [ $((640 - centre)) -le 1 ] || fail "not centred: $line"
    expect "the effect runs" "$(field "$(drive wait-running 1)" 8)" 1
    expect "titled" "$(echo "$line" | cut -d' ' -f9-)" "Embra desktop decoration"
    # EMBRA_VERSION: the project's version, from the test's environment.
    expect "the tray tip's version" "$(drive version "$(windows_path "$embra")")" \
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
enter-and-exit)
    start_running 0
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
    set_value 'Options\Common\Programs' obs64.exe front
    set_value 'Options\Common\Programs' Zoom.exe running
    set_value 'Options\Common\Programs' launcher.exe ignore
    start_running 0
    settings=$(drive open-settings)
    [ "$(field "$settings" 2)" != none ] || fail "the settings window did not open"
    snap_window "$settings" settings-items
    expect "the common tab" "$(drive settings-tab 1)" "tab 1"
    snap_window "$settings" settings-common
    expect "the programs tab" "$(drive settings-tab 2)" "tab 2"
    snap_window "$settings" settings-programs
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
hotkey)
    # Ctrl+Alt+F (0x0646), set before the start; the window waits in the tray meanwhile.
    set_value 'Options\Common' HotKey 1606
    start_running 1
    drive hotkey 1606 >/dev/null
    expect "the hotkey stops" "$(field "$(drive wait-running 0)" 8)" 0
    drive hotkey 1606 >/dev/null
    expect "the hotkey starts" "$(field "$(drive wait-running 1)" 8)" 1
    # Another combination does nothing.
    drive hotkey 1607 >/dev/null
    sleep 1
    expect "Ctrl+Alt+G does nothing" "$(field "$(drive main)" 8)" 1
    exit_program
    expect "HotKey kept" "$(value 'Options\Common' HotKey)" 1606
    ;;
soak)
    soak
    ;;
killed-first-run)
    start_program
    drive wait-main shown >/dev/null
    expect "a second start finds the first run" "$(drive second "$(windows_path "$embra")")" \
        "second-exit 1"
    shortcut=$(find "$WINEPREFIX/drive_c/users" -name 'Embra desktop decoration.lnk' | head -n 1)
    [ -n "$shortcut" ] || fail "the first run made no start-up shortcut"
    # The user turns start-with-Windows off, then the program is ended by force.
    rm -f "$shortcut"
    in_desktop taskkill /f /im embra.exe >/dev/null 2>&1 || true
    program_ended >/dev/null
    start_program
    line=$(drive wait-main hidden)
    expect "no first run again: straight into the tray" "$(field "$line" 2)" 0
    [ ! -e "$shortcut" ] || fail "the start-up shortcut came back"
    exit_program
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
echo "PASS"
