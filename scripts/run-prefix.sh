# Shared by scripts/run.sh and scripts/measure-cpu.sh: the Wine prefix they run embra.exe in,
# and the program's stored options there. Callers set WINEPREFIX and use `set -euo pipefail`;
# every query of something that may be absent is allowed to fail here.

options_key='HKCU\Software\Lumavist\Embra\Options\Common'
sets_key='HKCU\Software\Lumavist\Embra\Sets'

# Makes the prefix when it is missing or was left half made, and (every time, so that a
# prefix from an interrupted run is mended) gives its virtual desktop "Embra" the shell's
# taskbar and Wine the fonts of the caption buttons and the dialogs.
prepare_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        timeout 120 wineserver -w || true
        [ -f "$WINEPREFIX/system.reg" ] || {
            echo "wineboot did not make the Wine prefix $WINEPREFIX" >&2
            return 1
        }
    fi
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Embra' /v EnableShell /t REG_DWORD \
        /d 1 /f >/dev/null 2>&1
    # Marlett, Tahoma and the Chinese and Japanese letters (Wine does not find Debian's
    # copies of its own fonts).
    "$(dirname "${BASH_SOURCE[0]}")/wine-fonts.sh"
}

# Prints a stored text value ($1 key, $2 value name); prints nothing when the key or the
# value is absent.
stored_value() {
    { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}

# Stores $3 as value $2 under key $1, or deletes the value when $3 is empty: puts back what
# stored_value read before. A Wine command started while the prefix's wineserver ends can
# fail, so storing is tried three times.
restore_value() {
    if [ -z "$3" ]; then
        wine reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true
        return 0
    fi
    for _ in 1 2 3; do
        wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1 && return 0
        sleep 1
    done
    echo "Could not put back $2 = $3 under $1" >&2
    return 1
}

# The Windows process itself (its command line is the program's Windows path) in this
# prefix: other prefixes may run an embra.exe at the same time.
program_pid() {
    local candidate
    for candidate in $(ps -eo pid=,args= | awk '$2 ~ /^[A-Z]:.*embra\.exe$/ { print $1 }'); do
        if tr '\0' '\n' 2>/dev/null <"/proc/$candidate/environ" |
            grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$candidate"
            return
        fi
    done
}

# Prints the process of embra.exe once it runs in this prefix; nothing when it has not
# started within a minute (a new prefix's first start is slow).
wait_for_program() {
    local pid
    for _ in $(seq 600); do
        pid=$(program_pid)
        [ -n "$pid" ] && { echo "$pid"; return; }
        sleep 0.1
    done
}

# Asks embra.exe in virtual desktop $1 to end the way Windows asks a program to close and
# waits up to 30 s for process $2 (the desktop's wine); then ends Wine in the prefix.
end_program() {
    # taskkill sees only the windows of its own desktop.
    wine explorer "/desktop=$1" taskkill /im embra.exe >/dev/null 2>&1 || true
    for _ in $(seq 150); do
        kill -0 "$2" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$2" 2>/dev/null; then
        echo "embra.exe did not end after the close request; ending Wine" >&2
        wineserver -k || true
    fi
    wait "$2" 2>/dev/null || true
}
