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
# A mirror caught mid-sync fails one index now and then: tried again, and should it still fail,
# the install goes on with the indexes that did arrive (it fails itself if a package is missing).
for attempt in 1 2 3; do
    $SUDO apt-get update -qq && break
    echo "apt-get update failed (attempt $attempt)" >&2
    sleep $((attempt * 10))
done
install_missing() {
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get "$@" install -y -qq "${missing[@]}" >&2
}
install_missing && exit 0

# An index that did not arrive can leave one architecture's libraries at other versions than the
# other's (the security archive's amd64 index newer than its missing i386 one), and the i386
# packages then cannot be installed beside them. Tried once more from the sources without the
# security archive, whose indexes agree with each other.
echo "Installing again from the sources without the security archive" >&2
sources=$(mktemp -d)
trap 'rm -rf "$sources"' EXIT
without_security() { grep -v -- '-security' "$1" || true; }
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -f "$f" ]; then without_security "$f" >"$sources/$(basename "$f").list"; fi
done
for f in /etc/apt/sources.list.d/*.sources; do
    if [ -f "$f" ]; then awk -v RS= -v ORS='\n\n' '!/-security/' "$f" >"$sources/$(basename "$f")"; fi
done
options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$sources")
$SUDO apt-get "${options[@]}" update -qq || true
install_missing "${options[@]}"
