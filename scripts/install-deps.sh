#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the designer need, and only those that are missing.
set -euo pipefail

packages=(
    cmake make g++ pkg-config ccache
    # The format and clang-tidy checks the tests run over the sources.
    clang-format clang-tidy
    qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libqt6core5compat6-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libfreexl-dev libzip-dev
    libgif-dev libwebp-dev libavcodec-dev libavformat-dev libavutil-dev libswscale-dev
    python3 python3-xlwt
    fonts-dejavu-core
    # The face graphs are drawn in, for browsers showing published SVGs; the program carries its own.
    fonts-liberation2
    xvfb xauth
    chromium
    # The test that opens a written slide deck in a real presentation program and pictures its pages.
    libreoffice-impress-nogui poppler-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
