#!/usr/bin/env bash
# What the packages hold: the portable zip the program, the README and the licence; the
# program stripped of its symbols and naming its debug file, which the debug zip holds; the
# measuring tool alone in its zip.
#
# Usage: contents.sh <objdump> <dist folder> <version>
set -euo pipefail
objdump=$1
dist=$2
version=$3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -s "$dist/Embra-$version-setup.exe" ] || fail "no setup program"
(cd "$work" && cmake -E tar xf "$dist/Embra-$version-portable.zip" &&
    cmake -E tar xf "$dist/Embra-$version-debug.zip")
files=$(cd "$work" && LC_ALL=C ls | tr '\n' ' ')
[ "$files" = "LICENSE.txt README.txt embra.exe embra.exe.debug " ] || fail "the zips hold $files"
sections=$("$objdump" -h "$work/embra.exe")
echo "$sections" | grep -q '\.debug_' && fail "embra.exe keeps its debug sections"
echo "$sections" | grep -q '\.gnu_debuglink' || fail "embra.exe does not name its debug file"
"$objdump" -h "$work/embra.exe.debug" | grep -q '\.debug_info' || fail "no symbols in the debug file"
grep -aq 'main_win\.cpp' "$work/embra.exe.debug" || fail "the debug file lacks the program's own sources"
"$objdump" -t "$work/embra.exe" | grep -q 'WinMain' && fail "embra.exe keeps its symbol table"
grep -q $'^# Embra\r$' "$work/README.txt" || fail "README.txt lacks Windows line ends"
mkdir "$work/measure"
(cd "$work/measure" && cmake -E tar xf "$dist/Embra-$version-measure.zip")
[ "$(ls "$work/measure")" = embra-measure.exe ] || fail "the measuring zip holds $(ls "$work/measure")"
echo "PASS: $files"
