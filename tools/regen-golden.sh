#!/usr/bin/env bash
# Draws the golden pages again after an intended change of the drawing, and the
# page shown in docs/, with the settings and fonts of the bundled install folder.
# Look at every picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
qc=${QC:-build/qc}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen
page1() { # fixture, output
    "$qc" export "$1" -o "$tmp/page.png" --dpi 150 --pages 1 --install-dir data/install
    cp "$tmp/page-1.png" "$2"
    echo "wrote $2"
}
page1 tests/data/fullheader.bhc tests/data/golden/fullheader-page1.png
page1 tests/data/compact.bhc tests/data/golden/compact-page1.png
page1 tests/data/fullheader.bhc docs/log-page1.png
