#!/usr/bin/env bash
# Renders one band of each effect with the preview tool and lays it over a dark desktop
# background (the band is transparent where nothing burns), and composes the interface's
# button faces and tool pictures, and photographs the program's windows as the end-to-end
# runs show them under Wine, for the README.
set -euo pipefail
trap 'echo "readme-pictures.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$(nproc)" --target embra-preview embra-faces >/dev/null
mkdir -p docs
for effect in embra glimra ripla; do
    build/native/tools/preview/embra-preview --effect "$effect" --screen 1280x720 \
        --workers 1 --seed 7 --frames 80 --out "build/preview-$effect.png"
    convert -size 1280x200 xc:'#0c1624' "build/preview-$effect.png" -composite \
        "docs/preview-$effect.png"
done
# Two monitors: the whole desktop, transparent outside the monitors.
build/native/tools/preview/embra-preview --effect embra --monitors 1920x1080,1280x1024@1920,0 \
    --workers 1 --seed 7 --frames 80 --out docs/preview-two-monitors.png
build/native/tools/faces/embra-faces docs

cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j"$(nproc)" >/dev/null
EMBRA_FORCE_XVFB=1 EMBRA_E2E_PICTURES=1 scripts/with-xvfb.sh ctest --test-dir build/windows \
    -R 'wine.prefix|e2e.app.(first-run|settings-switch|tray-menu|languages)' >/dev/null
e2e=build/windows/tests/e2e
cp "$e2e/app-first-run/main-window-and-tray.png" docs/main-window.png
cp "$e2e/app-tray-menu/tray-menu.png" docs/tray-menu.png
for window in settings-items settings-common settings-programs fire-settings; do
    cp "$e2e/app-settings-switch/$window.png" "docs/$window.png"
done
cp "$e2e/app-languages/de-settings-common.png" docs/settings-common-de.png
cp "$e2e/app-languages/ja-tray-tip.png" docs/tray-tip-ja.png
# The setup program's welcome page with its own picture, cut out of the desktop around it.
cmake --build build/windows -j"$(nproc)" --target embra_packages >/dev/null
EMBRA_FORCE_XVFB=1 scripts/with-xvfb.sh scripts/setup-screenshot.sh 96 build/setup-welcome.png \
    >/dev/null
convert build/setup-welcome.png -fuzz 1% -trim +repage docs/setup-welcome.png
echo "Pictures in docs/"
