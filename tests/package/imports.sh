#!/usr/bin/env bash
# Fails when a program imports a library that Windows may take from the program's folder.
# Allowed are the system's known libraries, which the loader always maps from the system
# folder, and the common controls, which the program's manifest resolves to the system's
# side-by-side copy. Every other library has to be loaded at run time from the system folder.
#
# Usage: imports.sh <objdump> <program.exe>
set -euo pipefail
objdump=$1
program=$2

allowed=(advapi32 comctl32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 rpcrt4 shell32
    shlwapi user32 ws2_32)

imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r')
[ -n "$imports" ] || { echo "FAIL: no import table read from $program" >&2; exit 1; }
status=0
for library in $imports; do
    name=$(echo "${library%.*}" | tr '[:upper:]' '[:lower:]')
    if [[ " ${allowed[*]} " == *" $name "* ]]; then
        echo "ok: $library"
    else
        echo "FAIL: $library is not a known system library" >&2
        status=1
    fi
done
exit $status
