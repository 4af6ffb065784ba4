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
"$qc" export tests/data/fullheader.bhc -o "$tmp/golden.png" --dpi 150 --pages 1 --install-dir data/install
cp "$tmp/golden-1.png" tests/data/golden/fullheader-page1.png
"$qc" export tests/data/fullheader.bhc -o "$tmp/docs.png" --dpi 150 --pages 1 --install-dir data/install
cp "$tmp/docs-1.png" docs/log-page1.png
echo "wrote tests/data/golden/fullheader-page1.png and docs/log-page1.png"
