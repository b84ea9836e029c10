#!/usr/bin/env bash
# End-to-end test of embra.exe under Wine on the caller's X display (a private Xvfb server
# for each test): starts the program in a 1280x720 Wine virtual desktop with a
# taskbar, waits until the effect shows, screenshots the screen, counts the pixels of the
# effect's colour inside the expected 200-row band and outside it, asks the program to
# end, and checks that it ended with code 0 and saved its settings in the registry.
#
# Usage: embra_e2e.sh <embra.exe> <launcher.exe> <driver.exe> <output dir> \
#                     <"current" value or -> <band: above-taskbar | top> <colour test>
# The colour test is an ImageMagick -fx expression that holds for the effect's pixels, or
# "not-desktop": the pixel differs from the desktop's colour, taken from the middle row
# of the screen, which no band covers.
# The taskbar is left out of the count elsewhere: its Start button has a red icon.
# Needs WINEPREFIX (the test run's prefix) and DISPLAY.
set -euo pipefail
embra=$1
launcher=$2
driver=$3
out=$4
current=$5
band=$6
colour_test=$7

desktop_size=1280x720
band_rows=200
min_band_pixels=1000
report=$out/report.txt
shot=$out/screen.png
mask=$out/mask.png
mkdir -p "$out"
rm -f "$report" "$shot" "$mask"

source "$(dirname "$0")/e2e_common.sh"

# The number of pixels of the mask (white where the colour test holds) inside a geometry.
count_in() {
    convert "$mask" -crop "$1" +repage -format '%[fx:round(mean*w*h)]' info:
}

# A virtual desktop named Embra with the shell's taskbar, Wine's layered windows shaped as
# they are by default (the pixels are counted); settings start afresh, as a later run that
# keeps its main window hidden ("StartMinimize" 2), so that only the effect differs from
# the desktop.
embra_key='HKEY_CURRENT_USER\Software\Lumavist\Embra'
current_line=""
[ "$current" = "-" ] || current_line="\"current\"=\"$current\""
import_registry <<EOF
[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Embra]
"EnableShell"=dword:00000001

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"ShapeLayeredWindows"=-

[-$embra_key]

[$embra_key\Options\Windows\Main]
"Handle"=""

[$embra_key\Options\Common]
"StartMinimize"="2"

[$embra_key\Sets]
$current_line
EOF

in_desktop "$(windows_path "$launcher")" "$report_path" "$(windows_path "$embra")" &
desktop_pid=$!

wait_for_report 300 taskbar || fail "the virtual desktop did not start"
# The launcher writes Windows line ends.
read -r _ bar_left bar_top bar_right bar_bottom < <(tr -d '\r' <"$report")
[ "$bar_left" != none ] || fail "the virtual desktop shows no taskbar"
echo "taskbar: $bar_left,$bar_top - $bar_right,$bar_bottom"
width=${desktop_size%x*}
case $band in
above-taskbar) band_top=$((bar_top - band_rows)) ;;
top) band_top=0 ;;
*) fail "unknown band $band" ;;
esac
band_geometry=${width}x${band_rows}+0+$band_top

desktop_row=$((${desktop_size#*x} / 2))

# White where the colour test holds, black elsewhere.
make_mask() {
    if [ "$colour_test" != not-desktop ]; then
        convert "$shot" -fx "$colour_test" "$mask"
        return
    fi
    local desktop_colour
    desktop_colour=$(convert "$shot" -format "%[pixel:p{0,$desktop_row}]" info:)
    convert "$shot" -fuzz 10% -fill black -opaque "$desktop_colour" \
        -fuzz 0 -fill white +opaque black "$mask"
}

# The effect needs a moment to start; each look is one screenshot.
inside=0
total=0
for _ in $(seq 30); do
    sleep 1
    if grep -q '^exit ' "$report"; then
        fail "embra.exe ended by itself: $(grep '^exit ' "$report")"
    fi
    import -window root "$shot"
    make_mask
    inside=$(count_in "$band_geometry")
    total=$(count_in "$desktop_size+0+0")
    on_taskbar=$(count_in "$((bar_right - bar_left))x$((bar_bottom - bar_top))+$bar_left+$bar_top")
    [ "$inside" -ge "$min_band_pixels" ] && break
done
outside=$((total - inside - on_taskbar))
echo "effect pixels in rows $band_top..$((band_top + band_rows - 1)): $inside, elsewhere: $outside"
echo "screenshot: $shot"
[ "$inside" -ge "$min_band_pixels" ] || fail "fewer than $min_band_pixels effect pixels in the band"
[ "$outside" -eq 0 ] || fail "$outside effect pixels outside the band"

# Ask the program to end the way Windows asks a program to close, without force, and
# confirm "Quit program?".
run_in_desktop taskkill /im embra.exe >/dev/null
run_in_desktop "$driver_path" "$report_path" answer ok
wait_for_report 300 exit || fail "embra.exe did not end after the close request"
code=$(tr -d '\r' <"$report" | sed -n 's/^exit //p')
echo "exit code: $code"
[ "$code" = 0 ] || fail "embra.exe ended with code $code"

expected_key=${current/#-/Embra}
settings=$(wine reg query 'HKCU\Software\Lumavist\Embra\Sets\Embra' 2>/dev/null | tr -d '\r')
echo "$settings" | grep -Eq '^ +vis +REG_SZ +50$' || fail "Sets\\Embra has no vis 50: $settings"
echo "$settings" | grep -Eq '^ +items +REG_SZ +100$' || fail "Sets\\Embra has no items 100"
sets=$(wine reg query 'HKCU\Software\Lumavist\Embra\Sets' /v current 2>/dev/null | tr -d '\r')
echo "$sets" | grep -Eq "^ +current +REG_SZ +$expected_key\$" || fail "current is not $expected_key"

for _ in $(seq 100); do
    kill -0 "$desktop_pid" 2>/dev/null || break
    sleep 0.2
done
echo "PASS"
