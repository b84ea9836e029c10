# Shared by the end-to-end scripts that run embra.exe in the Wine virtual desktop "Embra":
# failing, cleaning up, running inside the desktop and waiting for the report file.
# Callers set desktop_size, report, driver (embra_e2e_driver.exe) and key (the settings'
# registry key) before sourcing this file, and desktop_pid to the virtual desktop's process
# once it runs.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Ends a virtual desktop that is still running: the program by force, then the desktop.
# Then waits until every process of the prefix has ended, so that the next run does not
# start its programs in the desktop of this one while that desktop is closing.
desktop_pid=""
cleanup() {
    local status=$?
    [ "$status" -eq 0 ] || echo "ended with status $status" >&2
    rm -f "$commands"
    if [ -n "$desktop_pid" ] && kill -0 "$desktop_pid" 2>/dev/null; then
        in_desktop taskkill /f /im embra.exe >/dev/null 2>&1 || true
        for _ in $(seq 50); do
            kill -0 "$desktop_pid" 2>/dev/null || break
            sleep 0.2
        done
        kill "$desktop_pid" 2>/dev/null || true
    fi
    timeout 60 wineserver -w || true
}
trap cleanup EXIT

# A test stopped at CTest's time limit cannot clean up: what it left running in the prefix
# (a virtual desktop with the program in it) is ended before this test starts its own.
wineserver -k 2>/dev/null || true
timeout 60 wineserver -w || true

# While this file exists, a driver started by start_server runs the commands written to it.
commands=$report.commands
rm -f "$commands" "$commands.taken"

# The Windows path of a file: Wine's drive Z: is the root of the file system.
windows_path() {
    local path
    path=$(realpath -m "$1")
    echo "Z:${path//\//\\}"
}
driver_path=$(windows_path "$driver")
report_path=$(windows_path "$report")

# Imports registry lines in the syntax of a REGEDIT4 file (on stdin) with one start of
# Wine's reg.
import_registry() {
    { printf 'REGEDIT4\n\n' && cat; } >"$report.reg"
    wine reg import "$(windows_path "$report.reg")" >/dev/null 2>&1 || fail "reg import failed"
}

# Runs a program inside the virtual desktop: a program sees only its own desktop's windows.
# With wine_locale set (de_DE.UTF-8) Windows' display language is that locale's.
wine_locale=""
in_desktop() {
    env ${wine_locale:+LC_ALL="$wine_locale"} wine explorer "/desktop=Embra,$desktop_size" "$@"
}

# Runs a helper inside the desktop and waits for it. explorer passes on no exit code of the
# helper, and a busy machine can make explorer itself report a failure although the helper
# ran: callers judge by what the helper reported or did.
run_in_desktop() {
    in_desktop "$@" || true
}

# Polls up to $1 tenths of a second until the report holds a line starting with $2.
wait_for_report() {
    for _ in $(seq "$1"); do
        grep -q "^$2 " "$report" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Starts the driver in the desktop with the arguments after $1, the report's line count
# before it. On a loaded machine explorer sometimes cannot start a program at all
# ("ShellExecuteEx failed: Internal error.") or hangs: the start is tried again, but only
# when nothing of the driver runs or has answered, so that no command is carried out twice.
start_driver() {
    local before=$1 said status
    shift
    for _ in 1 2 3; do
        # Into a file: a serving driver keeps what it inherited open while it runs. Explorer
        # returns once the driver runs, but now and then hangs on a loaded machine.
        status=0
        timeout 30 wine explorer "/desktop=Embra,$desktop_size" "$driver_path" "$report_path" \
            "$@" >"$report.said" 2>&1 || status=$?
        said="$status $(cat "$report.said")"
        case $said in
        "124 "* | *"could not be started"* | *"ShellExecuteEx failed"*) ;;
        *) return 0 ;;
        esac
        sleep 2
        [ "$(wc -l <"$report")" -gt "$before" ] && return 0
        pgrep -f '^[A-Z]:[^ ]*embra_e2e_driver' >/dev/null && return 0
        echo "explorer could not start the driver, tried again: $said" >&2
    done
}

# Starts a driver in the desktop that runs the commands of drive until the program ends:
# starting a Windows process for each command costs more than most commands do.
start_server() {
    [ ! -e "$commands" ] || return 0
    : >"$commands"
    start_driver "$(wc -l <"$report")" serve "$(windows_path "$commands")"
}

# Runs a driver command inside the desktop (by the serving driver while there is one) and
# prints the line it reported, waiting up to $1 seconds for it.
drive_for() {
    local before seconds=$1
    shift
    before=$(wc -l <"$report")
    if [ -e "$commands" ]; then
        (IFS=$'\t' && echo "$*") >>"$commands"
    else
        start_driver "$before" "$@"
    fi
    for _ in $(seq $((seconds * 10))); do
        [ "$(wc -l <"$report")" -gt "$before" ] && break
        sleep 0.1
    done
    # No answer: what the prefix runs tells whether the driver hangs or never started.
    [ "$(wc -l <"$report")" -gt "$before" ] ||
        ps -eo pid,stat,etime,args | grep -iE '[.]exe|wineserver' | grep -v grep >&2 || true
    tr -d '\r' <"$report" | sed -n "$((before + 1))p"
}

# A driver command: its own waits last up to 20 s, and starting a program in the desktop
# took over 10 s on a loaded machine.
drive() {
    drive_for 40 "$@"
}

# The data of the registry value $2 under $key\$1; empty when it is missing.
value() {
    { wine reg query "$key\\$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}

expect() {
    [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"
    echo "ok: $1: $2"
}
