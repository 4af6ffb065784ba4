#!/usr/bin/env bash
# Installs the Debian packages qc needs to build, test and run, when any is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git python3
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libgl-dev libx11-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    fonts-ipafont-mincho fonts-ipafont-gothic fontconfig
    poppler-utils xvfb xauth
    libxlsxwriter-dev libzip-dev libxml2-dev libxml2-utils python3-openpyxl
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then sudo="sudo"; else
        echo "install-deps: not root and no sudo; please install: ${missing[*]}" >&2
        exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
