#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the normal build, the core tests again under ASan+UBSan, and each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${QC_FUZZ_SECONDS:-20}

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQC_WITH_QT=OFF -DQC_SANITIZE=ON \
    -DQC_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing (${fuzz_seconds}s per target)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQC_WITH_QT=OFF \
    -DQC_FUZZ=ON -DQC_TESTS=OFF -DQC_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$jobs"
for target in build-fuzz/fuzz/fuzz_*; do
    name=$(basename "$target")
    corpus=$(mktemp -d)
    cp -r "fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
    echo "-- $name"
    # The targets that read log text get the dictionary of its tokens.
    dict=()
    case "$name" in fuzz_logreader | fuzz_render) dict=(-dict=fuzz/log.dict) ;; esac
    "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
        "${dict[@]}" -artifact_prefix="build-fuzz/$name-" "$corpus" 2>&1 | tail -n 3
    rm -rf "$corpus"
done
echo "== all tests passed"
