#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building, running and testing Embra
# need; packages already present are skipped. Run as root (or through sudo).
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    googletest libgtest-dev libbenchmark-dev libstb-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 fonts-wine fonts-wqy-microhei nsis
    xvfb xauth x11-utils imagemagick procps
    clang-format
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
