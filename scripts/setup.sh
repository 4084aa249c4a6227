#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing KVU need.
# Idempotent and quiet; does nothing when everything is already present.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    zlib1g-dev libcurl4-openssl-dev
    mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
    wine wine64 xvfb x11-utils xdotool imagemagick
    fonts-wine fonts-liberation locales
    zip unzip libarchive-tools python3 curl
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

# The shipping build is 32-bit: its tests run under Debian's 32-bit Wine.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
packages+=(wine32:i386)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
