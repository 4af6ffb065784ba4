#!/usr/bin/env bash
# Installs what is missing, builds qc and shows FILE (default: the bundled sample
# log): in the main window when a display is available, otherwise as a PDF made
# by `qc export`.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target qc

file=${1:-examples/sample.bhc}
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/qc "$file"
fi
out="build/$(basename "${file%.*}").pdf"
./build/qc export "$file" -o "$out"
echo "No display: the log was printed to $(realpath "$out")"
