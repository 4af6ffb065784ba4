#!/usr/bin/env bash
# Installs what is missing, builds qc and runs it on FILE or the bundled sample log.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target qc

file=${1:-examples/sample.bhc}
./build/qc dump "$file"
