#!/usr/bin/env bash
# Renders one band of each effect with the preview tool and lays it over a dark desktop
# background (the band is transparent where nothing burns), and composes the interface's
# button faces and tool pictures, for the README.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$(nproc)" --target embra-preview embra-faces >/dev/null
mkdir -p docs
for effect in embra glimra ripla; do
    build/native/tools/preview/embra-preview --effect "$effect" --screen 1280x720 \
        --workers 1 --seed 7 --frames 80 --out "build/preview-$effect.png"
    convert -size 1280x200 xc:'#0c1624' "build/preview-$effect.png" -composite \
        "docs/preview-$effect.png"
done
build/native/tools/faces/embra-faces docs
echo "Pictures in docs/"
