#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs; with --tests also what the tests need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-webengine-dev qt6-multimedia-dev libgl-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav fonts-noto-cjk xdg-utils qt6-translations-l10n)
if [ "${1:-}" = "--tests" ]; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth poppler-utils clang libclang-rt-14-dev ripgrep)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
