#!/usr/bin/env bash
# Installs, with apt-get, whatever building and testing need and this machine lacks, and any
# further packages named as arguments.
set -euo pipefail

PACKAGES=(
    cmake make g++ libgtest-dev googletest g++-mingw-w64-i686-posix
    wine wine32:i386 fonts-wine xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
    clang libclang-rt-14-dev python3 wixl msitools
    libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxinerama1:i386
    libxcomposite1:i386 libxfixes3:i386 libxxf86vm1:i386
)

# Callers may name more packages (the benchmarks need libbenchmark-dev).
PACKAGES+=("$@")

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for p in "${PACKAGES[@]}"; do
    installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >&2
