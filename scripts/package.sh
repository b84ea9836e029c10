#!/usr/bin/env bash
# Builds the Windows packages into build/dist: Embra-<version>-setup.exe (per-user NSIS
# setup program), Embra-<version>-portable.zip, Embra-<version>-debug.zip (the symbols of
# the stripped program) and Embra-<version>-measure.zip (the measuring tool). Installs what is
# missing and builds the Windows build first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j"$(nproc)" --target embra_packages
ls -l build/dist
