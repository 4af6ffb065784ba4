#!/usr/bin/env bash
# Draws the golden pages again after an intended change of the drawing, and the
# pages shown in docs/, with the settings and fonts of the bundled install folder.
# Look at every picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
qc=${QC:-build/qc}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QT_QPA_PLATFORM=offscreen
page1() { # LOG OUT.png: page 1 at 150 dpi
    "$qc" export "$1" -o "$tmp/page.png" --dpi 150 --pages 1 --install-dir data/install
    cp "$tmp/page-1.png" "$2"
    echo "wrote $2"
}
page1 tests/data/fullheader.bhc tests/data/golden/fullheader-page1.png
page1 examples/sample.bhc tests/data/golden/sample-page1.png
page1 tests/data/sample-compact.bhc tests/data/golden/sample-compact-page1.png
page1 tests/data/compact.bhc tests/data/golden/compact-page1.png
page1 tests/data/fullheader.bhc docs/log-page1.png
# Every page of the sample log for docs/ (docs/sample-1.png, ...).
rm -f docs/sample-[0-9]*.png
"$qc" export examples/sample.bhc -o docs/sample.png --dpi 150 --install-dir data/install
ls docs/sample-[0-9]*.png
# The page a new user sees first: the empty default document.
"$qc" export tests/data/empty.bhc -o "$tmp/default.png" --dpi 150 --pages 1 --install-dir data/install
cp "$tmp/default-1.png" docs/default-page1.png
echo "wrote docs/default-page1.png"
