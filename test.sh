#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the normal build, the core tests again under ASan+UBSan, and each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

jobs=$(nproc)
# A test that hangs fails after this many seconds instead of stalling the run.
test_timeout=300
fuzz_seconds=${QC_FUZZ_SECONDS:-30}

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs" --timeout "$test_timeout"

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQC_WITH_QT=OFF -DQC_SANITIZE=ON \
    -DQC_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout "$test_timeout"

echo "== fuzzing (${fuzz_seconds}s per target, ${jobs} at a time)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQC_WITH_QT=OFF \
    -DQC_FUZZ=ON -DQC_TESTS=OFF -DQC_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$jobs"
# One target per core: the whole run takes the targets' time divided by the cores.
fuzz_one() {
    local target=$1 name corpus
    name=$(basename "$target")
    corpus=$(mktemp -d)
    cp -r "fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
    local status=0
    # Short allocation stacks: recording them is a tenth of a run; a finding replays with
    # full reports as a regression test of the sanitizer build.
    ASAN_OPTIONS=malloc_context_size=4 "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
        -artifact_prefix="build-fuzz/$name-" "$corpus" >"build-fuzz/$name.log" 2>&1 || status=$?
    rm -rf "$corpus"
    return $status
}
pids=()
names=()
failed=0
for target in build-fuzz/fuzz/fuzz_*; do
    fuzz_one "$target" &
    pids+=($!)
    names+=("$(basename "$target")")
    if [ "${#pids[@]}" -ge "$jobs" ]; then
        wait "${pids[0]}" || { echo "-- ${names[0]} FAILED"; failed=1; }
        echo "-- ${names[0]}"; tail -n 3 "build-fuzz/${names[0]}.log"
        pids=("${pids[@]:1}")
        names=("${names[@]:1}")
    fi
done
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || { echo "-- ${names[$i]} FAILED"; failed=1; }
    echo "-- ${names[$i]}"; tail -n 3 "build-fuzz/${names[$i]}.log"
done
[ "$failed" -eq 0 ] || { echo "== a fuzz target failed (see build-fuzz/*.log and the artifacts there)"; exit 1; }
echo "== all tests passed"
