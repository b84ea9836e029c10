#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang, the address and undefined-
# behaviour sanitizers on, in build/fuzz, and runs them side by side for a bounded time
# from the corpus kept in tests/fuzz/corpus/<target>. What they find goes to a scratch
# folder, so a run leaves the repository untouched; a crash, a leak, a sanitizer report
# or a slow input fails it, and the input that did so is kept in build/fuzz/artifacts.
#
#   scripts/fuzz.sh [seconds]          every target for that long (default 60)
#   scripts/fuzz.sh --merge [seconds]  the same, then the kept corpus becomes a small set
#                                      of inputs that reaches every branch edge reached
set -euo pipefail
trap 'echo "fuzz.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
scripts/install-deps.sh

merge=0
if [ "${1:-}" = "--merge" ]; then
    merge=1
    shift
fi
seconds=${1:-60}
targets=(BmpDecodeFuzz ParamTextFuzz SettingsStoreFuzz)

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DEMBRA_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"

run() {
    local target=$1
    mkdir -p "$scratch/$target" "tests/fuzz/corpus/$target"
    "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$artifacts/$target-" \
        "$scratch/$target" "tests/fuzz/corpus/$target" >"$scratch/$target.log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
    run "$target" &
    pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
    target=${targets[$i]}
    if wait "${pids[$i]}"; then
        echo "$target: $(grep -E '^Done [0-9]+ runs' "$scratch/$target.log" | tail -1)"
    else
        failed=1
        echo "$target FAILED:"
        tail -n 60 "$scratch/$target.log"
    fi
done
[ "$failed" -eq 0 ] || exit 1

if [ "$merge" -eq 1 ]; then
    for target in "${targets[@]}"; do
        merged="$scratch/$target.merged"
        mkdir -p "$merged"
        "build/fuzz/tests/fuzz/$target" -merge=1 -use_counters=0 -max_len=4096 "$merged" \
            "tests/fuzz/corpus/$target" "$scratch/$target" >/dev/null 2>&1
        rm -f "tests/fuzz/corpus/$target"/*
        cp "$merged"/* "tests/fuzz/corpus/$target/"
        echo "$target: $(ls "tests/fuzz/corpus/$target" | wc -l) inputs kept"
    done
fi
