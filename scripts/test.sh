#!/usr/bin/env bash
# Installs what is missing, builds the native build, its address+undefined and thread
# sanitizer builds and the Windows build, and runs every test; the Windows tests run
# under Wine on a private X display (each end-to-end test on one of its own); among them the Windows packages are built into
# build/dist (as scripts/package.sh does) and installed, updated, uninstalled and unpacked
# under Wine in a prefix of their own. Last, the fuzzers run for a minute each, side by side.
set -euo pipefail
trap 'echo "test.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "build/$dir" "$@" >/dev/null
    cmake --build "build/$dir" -j"$jobs"
}

configure_and_build native -DCMAKE_BUILD_TYPE=Release
configure_and_build asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEMBRA_SANITIZE=address,undefined
configure_and_build tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEMBRA_SANITIZE=thread
configure_and_build windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

ctest --test-dir build/native -j"$jobs" --output-on-failure
ctest --test-dir build/asan -j"$jobs" --output-on-failure
# ThreadSanitizer needs the address layout that full ASLR entropy breaks on newer kernels.
# The single-threaded bit-for-bit comparisons of the fast render paths and of partial
# presentation are left out of it: they run in every other build, and under
# ThreadSanitizer they only cost minutes.
setarch "$(uname -m)" -R ctest --test-dir build/tsan -j"$jobs" --output-on-failure \
    -E "FastRenderer|FastPath|PartialPresent.EveryEffect"
# One more Windows test than cores: most of them spend much of their time waiting for Wine
# and for the windows they drive.
EMBRA_FORCE_XVFB=1 scripts/with-xvfb.sh ctest --test-dir build/windows -j"$((jobs + 1))" \
    --output-on-failure
scripts/fuzz.sh 60
