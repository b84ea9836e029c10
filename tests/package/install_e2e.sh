#!/usr/bin/env bash
# End-to-end tests of the packages under Wine, in a prefix of their own made for the test
# run: the setup program and its uninstaller run inside the 1280x720 virtual desktop (so
# that they see the program's window there), started by embra_e2e_launcher.exe, which
# reports their exit codes; embra_e2e_driver.exe reports what the desktop shows.
#
# Usage: install_e2e.sh <setup.exe> <portable.zip> <launcher.exe> <driver.exe> <holder.exe>
#                       <output dir> <scenario>
# Scenarios:
#   lifecycle  silent install; files, shortcuts, uninstall entry; the program starts; a
#              second install ends the running program (saving) and starts it again; a
#              silent uninstall ends it and removes everything but the settings; an
#              uninstall with /DELETESETTINGS removes those too
#   unicode    install into, and run from, a folder named outside the code page
#   portable   the portable zip unpacked and started; setup and uninstaller leave it
#              running, and its Startup shortcut and settings in place
#   stuck      a copy that will not end: a hung one is ended by force, replaced and started
#              again, then removed; while another program holds its file, setup and
#              uninstaller stop with exit code 3 and change nothing
#   folder     a folder typed by hand that holds other files is refused (exit code 4) and
#              left alone; an empty one takes Embra, and the size, the update and the
#              uninstall count only the files setup wrote
# Needs WINEPREFIX, DISPLAY and EMBRA_VERSION (the project's version).
set -euo pipefail
# A step that fails without a message of its own names its line.
trap 'echo "install_e2e.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
# Wine reads the arguments in the locale's character set: a folder named in Cyrillic and
# Chinese passes whole only in UTF-8.
export LC_ALL=C.UTF-8
setup=$1
portable=$2
launcher=$3
driver=$4
holder=$5
out=$6
scenario=$7

desktop_size=1280x720
key='HKCU\Software\Lumavist\Embra'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Embra'
title="Embra desktop decoration"
report=$out/report.txt
mkdir -p "$out"
rm -f "$out"/*.txt "$out"/*.png

source "$(dirname "$0")/../e2e/e2e_common.sh"
# A program stopped to stand for a hung one, and a file held by the holder, are let go
# before the prefix ends.
frozen=""
trap 'status=$?; [ -z "$frozen" ] || kill -CONT "$frozen" 2>/dev/null; touch "$out/release"
      (exit $status); cleanup' EXIT

# A Windows folder of the user's profile ("%LOCALAPPDATA%") as a Windows path. The prefix's
# Wine server may still be ending the previous scenario's processes: asked again until
# Wine answers.
windows_folder() {
    local folder
    for _ in 1 2 3 4 5; do
        folder=$(wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r') || true
        [[ $folder == [A-Za-z]:\\* ]] && echo "$folder" && return 0
        sleep 1
    done
    fail "Wine does not name the folder %$1%"
}

# Runs a program with its arguments inside the desktop through the launcher; the launcher's
# report is $out/<step>.txt. Waits up to $wait seconds (60 unless set) for it to end and
# prints its exit code; "running" when it has not ended.
launch() {
    local step=$1
    shift
    local step_report=$out/$step.txt
    rm -f "$step_report"
    # Not tied to the output of a command substitution that calls this function.
    in_desktop "$(winepath -w "$launcher")" "$(winepath -w "$step_report")" "$@" >/dev/null 2>&1 &
    [ -n "$desktop_pid" ] || desktop_pid=$!
    for _ in $(seq $((${wait:-60} * 10))); do
        grep -q '^exit ' "$step_report" 2>/dev/null && break
        sleep 0.1
    done
    tr -d '\r' 2>/dev/null <"$step_report" | sed -n 's/^exit //p' | grep . || echo running
}

# Waits up to 30 s until a path no longer exists.
wait_gone() {
    for _ in $(seq 300); do
        [ -e "$1" ] || return 0
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s until a file exists.
wait_for_file() {
    for _ in $(seq 100); do
        [ -f "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# A value of the uninstall entry: "reg query" prints in the code page, so the key is
# exported (in UTF-16) instead. Strings come without their quotes and escapes, numbers as
# dword:<hex>.
entry() {
    local file=$out/entry.reg
    rm -f "$file"
    wine reg export "$uninstall_key" "$(winepath -w "$file")" /y >/dev/null 2>&1 || true
    [ -f "$file" ] || return 0
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | sed -n "s/^\"$1\"=//p" |
        sed -e 's/^"\(.*\)"$/\1/' -e 's/\\\\/\\/g' -e 's/\\"/"/g'
}

has_key() {
    wine reg query "$1" >/dev/null 2>&1
}

# The main window's visibility ("1" shown) once it shows, "none" without one.
main_shown() {
    drive wait-main shown | cut -d' ' -f2
}

# What a silent install into $1 (a Windows path) leaves: the files and the Start-menu
# shortcut, pointing at the program.
check_installed() {
    local folder=$1 unix
    unix=$(winepath -u "$folder")
    for file in embra.exe README.txt LICENSE.txt uninstall.exe; do
        [ -f "$unix/$file" ] || fail "$file was not installed into $folder"
    done
    expect "the Start-menu shortcut" "$(drive shortcut "$menu_shortcut")" \
        "shortcut $folder\\embra.exe"
}

# A silent uninstall through the uninstall entry's quiet command (the uninstaller goes on
# from a copy of itself while its first process ends): waits until it has removed itself.
uninstall() {
    local folder=$1
    shift
    [ "$(launch uninstall "$folder\\uninstall.exe" /S "$@")" = 0 ] || fail "the uninstaller failed"
    wait_gone "$(winepath -u "$folder")/uninstall.exe" || fail "the uninstaller did not finish"
    for _ in $(seq 100); do
        has_key "$uninstall_key" || break
        sleep 0.1
    done
}

# The Linux process of the program that runs from the folder $1 (a Windows path) in this
# prefix, empty when none does: Wine shows a program's process by its Windows path.
program_pid() {
    local pid
    for pid in $(ps -eo pid=,args= | program="$1\\embra.exe" awk \
        'tolower(substr($0, index($0, $2))) == tolower(ENVIRON["program"]) { print $1 }'); do
        tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
            echo "$pid" && return
    done
}

# Waits up to 20 s until the program runs from the folder $1.
wait_for_program() {
    for _ in $(seq 200); do
        [ -n "$(program_pid "$1")" ] && return 0
        sleep 0.1
    done
    return 1
}

# Stops the program that runs from the folder $1 as a hung program is: it answers no
# message and does not end by itself.
freeze() {
    frozen=$(program_pid "$1")
    [ -n "$frozen" ] || fail "no program runs from $1"
    kill -STOP "$frozen"
}

# Lets the frozen program go: once Wine has ended it, its process then goes away.
thaw() {
    kill -CONT "$frozen"
    frozen=""
}

# The exit code the launcher reported for the program it ran as step $1.
exit_code() {
    tr -d '\r' <"$out/$1.txt" | sed -n 's/^exit //p'
}

# Holds the file $1 (a Linux path) open, as another program may, until release.
hold() {
    rm -f "$out/release" "$out/release.held"
    wine "$holder" "$(winepath -w "$1")" "$(winepath -w "$out/release")" >/dev/null 2>&1 &
    wait_for_file "$out/release.held" || fail "the holder does not hold $1"
}

release() {
    touch "$out/release"
}

# The names, sizes and change times of the files in the folder $1 (a Linux path).
snapshot() {
    (cd "$1" && LC_ALL=C stat -c '%n %s %Z' -- *)
}

wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Embra' /v EnableShell /t REG_DWORD /d 1 \
    /f >/dev/null
touch "$report"
setup_path=$(winepath -w "$setup")
installed="$(windows_folder LOCALAPPDATA)\\Programs\\Embra"
programs="$(windows_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs"
menu_shortcut="$programs\\Embra.lnk"
# The Startup folder as the shell spells it ("StartUp" under Wine) on a file system that
# tells cases apart.
startup_shortcut="$(find "$(winepath -u "$programs")" -maxdepth 1 -iname startup)/$title.lnk"

case $scenario in
lifecycle)
    expect "silent install" "$(launch install "$setup_path" /S)" 0
    check_installed "$installed"
    expect "entry: name" "$(entry DisplayName)" Embra
    expect "entry: version" "$(entry DisplayVersion)" "$EMBRA_VERSION"
    expect "entry: publisher" "$(entry Publisher)" Lumavist
    expect "entry: icon" "$(entry DisplayIcon)" "$installed\\embra.exe,0"
    expect "entry: quiet uninstall" "$(entry QuietUninstallString)" \
        "\"$installed\\uninstall.exe\" /S"
    [ "$((16#$(entry EstimatedSize | sed 's/^dword://')))" -gt 0 ] || fail "entry: no size"
    has_key "$key" && fail "the setup program wrote settings"

    wait=1 launch first-run "$installed\\embra.exe" >/dev/null
    expect "the installed program shows its window" "$(main_shown)" 1
    drive wait-running 1 >/dev/null
    wait_for_file "$startup_shortcut" || fail "the first run made no Startup shortcut"
    import -window root "$out/installed.png"

    expect "install over the running program" "$(launch update "$setup_path" /S)" 0
    expect "the running program was asked to end, code" \
        "$(tr -d '\r' <"$out/first-run.txt" | sed -n 's/^exit //p')" 0
    expect "it saved on the way out" "$(value Sets current)" Embra
    [ -n "$(value 'Options\Windows\Main' plmnt)" ] || fail "no window placement saved"
    [ "$(drive wait-running 1 | cut -d' ' -f1)" = main ] || fail "the update did not start it"
    echo "ok: running again after the update"

    uninstall "$installed"
    expect "the uninstaller ended the program" "$(drive main)" "main none"
    [ -e "$(winepath -u "$installed")" ] && fail "the program's folder is left"
    [ -e "$(winepath -u "$menu_shortcut")" ] && fail "the Start-menu shortcut is left"
    [ -e "$startup_shortcut" ] && fail "the Startup shortcut is left"
    has_key "$uninstall_key" && fail "the uninstall entry is left"
    expect "settings kept" "$(value Sets current)" Embra

    expect "install again" "$(launch reinstall "$setup_path" /S)" 0
    uninstall "$installed" /DELETESETTINGS
    has_key "$key" && fail "/DELETESETTINGS kept the settings"
    echo "ok: /DELETESETTINGS deleted the settings"
    ;;
unicode)
    # Cyrillic and CJK: no single code page holds both.
    folder='C:\Программы 日本\Embra'
    # A first run, which makes the Startup shortcut from the program's own path.
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    rm -f "$startup_shortcut"
    expect "silent install" "$(launch install "$setup_path" /S "/D=$folder")" 0
    check_installed "$folder"
    expect "entry: location" "$(entry InstallLocation)" "$folder"
    wait=1 launch first-run "$folder\\embra.exe" >/dev/null
    expect "the program runs from there" "$(main_shown)" 1
    wait_for_file "$startup_shortcut" || fail "the first run made no Startup shortcut"
    expect "the Startup shortcut" "$(drive shortcut "$(winepath -w "$startup_shortcut")")" \
        "shortcut $folder\\embra.exe"
    uninstall "$folder"
    [ -e "$startup_shortcut" ] && fail "the Startup shortcut is left"
    expect "the uninstaller ended the program" "$(drive main)" "main none"
    [ -e "$(winepath -u "$folder")" ] && fail "the program's folder is left"
    echo "ok: uninstalled from $folder"
    ;;
portable)
    # Unpacking the zip makes a first run: no settings left by the other scenarios (one
    # that outlived the first-run timer stored "start minimised").
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    rm -f "$startup_shortcut"
    unpacked="$out/Embra portable"
    rm -rf "$unpacked"
    mkdir -p "$unpacked"
    (cd "$unpacked" && cmake -E tar xf "$portable")
    expect "the zip's files" "$(cd "$unpacked" && LC_ALL=C ls | tr '\n' ' ')" "LICENSE.txt README.txt embra.exe "
    portable_folder=$(winepath -w "$unpacked")
    wait=1 launch portable "$portable_folder\\embra.exe" >/dev/null
    expect "the unpacked program shows its window" "$(main_shown)" 1
    expect "and runs the effect" "$(drive wait-running 1 | cut -d' ' -f8)" 1
    wait_for_file "$startup_shortcut" || fail "the first run made no Startup shortcut"

    # Setup and uninstaller touch only the installed copy: the portable one keeps running,
    # with its Startup shortcut and the settings it would save again when it ends.
    expect "install beside the running portable copy" "$(launch install "$setup_path" /S)" 0
    [ -n "$(program_pid "$portable_folder")" ] || fail "the setup ended the portable copy"
    [ -z "$(program_pid "$installed")" ] || fail "the setup started the installed copy"
    uninstall "$installed" /DELETESETTINGS
    [ -n "$(program_pid "$portable_folder")" ] || fail "the uninstaller ended the portable copy"
    expect "the portable copy's Startup shortcut" \
        "$(drive shortcut "$(winepath -w "$startup_shortcut")")" \
        "shortcut $portable_folder\\embra.exe"
    has_key "$key" || fail "the uninstaller deleted the settings of the running portable copy"
    echo "ok: the portable copy runs on, its shortcut and settings kept"
    ;;
stuck)
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    expect "silent install" "$(launch install "$setup_path" /S)" 0
    folder=$(winepath -u "$installed")
    cp "$folder/embra.exe" "$out/embra.exe"
    # The copy installed before: its program one byte longer, an older version in the entry.
    printf x >>"$folder/embra.exe"
    wine reg add "$uninstall_key" /v DisplayVersion /d 0.9.0 /f >/dev/null
    wait=1 launch first-run "$installed\\embra.exe" >/dev/null
    expect "the old copy shows its window" "$(main_shown)" 1

    # A hung copy: ended by force, replaced, and started again.
    freeze "$installed"
    expect "install over a hung copy" "$(launch update "$setup_path" /S)" 0
    expect "the hung copy was ended by force, exit code" "$(exit_code first-run)" 1
    thaw
    cmp -s "$out/embra.exe" "$folder/embra.exe" || fail "the hung copy's program was not replaced"
    expect "entry: version" "$(entry DisplayVersion)" "$EMBRA_VERSION"
    wait_for_program "$installed" || fail "the update did not start the program again"
    echo "ok: the hung copy was ended, replaced and started again"

    # Another program holds the program's file: setup and uninstaller change nothing.
    wine reg add "$uninstall_key" /v DisplayVersion /d 0.9.0 /f >/dev/null
    hold "$folder/embra.exe"
    before=$(snapshot "$folder")
    expect "install over a held program, exit code" "$(launch held-update "$setup_path" /S)" 3
    expect "the folder after it" "$(snapshot "$folder")" "$before"
    expect "entry: version after it" "$(entry DisplayVersion)" 0.9.0
    # Run in place (_?=) so that its own exit code comes back.
    expect "uninstall over a held program, exit code" \
        "$(launch held-uninstall "$installed\\uninstall.exe" /S /DELETESETTINGS "_?=$installed")" 3
    expect "the folder after it" "$(snapshot "$folder")" "$before"
    has_key "$uninstall_key" || fail "the uninstaller removed the entry"
    [ -e "$(winepath -u "$menu_shortcut")" ] || fail "the uninstaller removed the Start-menu shortcut"
    has_key "$key" || fail "the uninstaller deleted the settings"
    wait_for_program "$installed" || fail "the copy ended for them does not run again"
    release
    echo "ok: nothing changed while the program's file was held"

    # A hung copy while uninstalling with its settings: ended by force (else its program
    # could not be removed), so that nothing writes the settings again.
    freeze "$installed"
    uninstall "$installed" /DELETESETTINGS
    thaw
    [ -e "$folder" ] && fail "the program's folder is left"
    has_key "$uninstall_key" && fail "the uninstall entry is left"
    has_key "$key" && fail "the settings are left"
    echo "ok: the hung copy was ended and removed, its settings with it"
    ;;
folder)
    wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
    mine='C:\Mine'
    unix_mine=$(winepath -u "$mine")
    rm -rf "$unix_mine"
    mkdir -p "$unix_mine"
    printf mine >"$unix_mine/README.txt"
    printf notes >"$unix_mine/notes.txt"
    expect "install into a folder of other files, exit code" \
        "$(launch install "$setup_path" /S "/D=$mine")" 4
    rm "$unix_mine/notes.txt"
    expect "install into a folder of one file named like Embra's, exit code" \
        "$(launch install "$setup_path" /S "/D=$mine")" 4
    expect "the folder after them" "$(ls "$unix_mine")" README.txt
    expect "the user's README.txt" "$(cat "$unix_mine/README.txt")" mine
    has_key "$uninstall_key" && fail "a refused install wrote the uninstall entry"

    # An empty folder typed by hand takes Embra; what the user adds to it is theirs.
    typed='C:\Typed'
    unix_typed=$(winepath -u "$typed")
    rm -rf "$unix_typed"
    mkdir -p "$unix_typed"
    expect "install into an empty folder" "$(launch install "$setup_path" /S "/D=$typed")" 0
    head -c 3000000 /dev/zero >"$unix_typed/video.bin"
    printf notes >"$unix_typed/notes.txt"
    expect "update in that folder" "$(launch update "$setup_path" /S "/D=$typed")" 0
    bytes=$(cd "$unix_typed" && cat embra.exe README.txt LICENSE.txt uninstall.exe | wc -c)
    expect "entry: the size of Embra's files" "$((16#$(entry EstimatedSize | sed 's/^dword://')))" \
        "$(((bytes + 1023) / 1024))"
    # A list edited to name files elsewhere reaches none of them.
    printf outside >"$(winepath -u 'C:\outside.txt')"
    printf '..\\outside.txt\r\n*\r\nC:\\outside.txt\r\n' | iconv -t UTF-16LE \
        >>"$unix_typed/installed-files.txt"
    uninstall "$typed"
    expect "what the uninstall leaves" "$(LC_ALL=C ls "$unix_typed" | tr '\n' ' ')" "notes.txt video.bin "
    [ -f "$(winepath -u 'C:\outside.txt')" ] || fail "the uninstaller deleted a file outside its folder"
    echo "ok: only Embra's files were counted and removed"
    ;;
*)
    fail "unknown scenario $scenario"
    ;;
esac
echo "PASS"
