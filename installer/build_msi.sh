#!/usr/bin/env bash
# Builds Pinlet's Windows Installer package from installer/pinlet.wxs with wixl.
# Usage: installer/build_msi.sh VERSION PINLET_EXE OUTPUT_MSI
# VERSION is major.minor.build (each as Windows Installer allows: below 256, 256 and 65536).
# Files are named relative to this folder (wixl takes no absolute paths).
# The CMake build runs this for build/win/pinlet.msi; the installer's tests run it for packages
# of other versions.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
[ $# -eq 3 ] || { echo "usage: $0 VERSION PINLET_EXE OUTPUT_MSI" >&2; exit 2; }
version="$1" exe="$2" out="$3"

if ! [[ "$version" =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] ||
    [ "${BASH_REMATCH[1]}" -gt 255 ] || [ "${BASH_REMATCH[2]}" -gt 255 ] ||
    [ "${BASH_REMATCH[3]}" -gt 65535 ]; then
    echo "$0: version '$version' is not major.minor.build (255.255.65535 at most)" >&2
    exit 2
fi

# One ProductCode per version, the same whenever that version is built: a name-based UUID of the
# version in the UpgradeCode's namespace.
upgrade_code="$(sed -n 's/.*UpgradeCode="\([0-9A-Fa-f-]*\)".*/\1/p' "$HERE/pinlet.wxs")"
[ -n "$upgrade_code" ] || { echo "$0: no UpgradeCode in pinlet.wxs" >&2; exit 1; }
product_code="$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), "Pinlet " + sys.argv[2])).upper())' \
    "$upgrade_code" "$version")"

tmp="$out.tmp"
rm -f "$tmp"
wixl --arch x86 -o "$tmp" \
    -D Version="$version" -D ProductCode="$product_code" \
    -D PinletExe="$(realpath --relative-to="$HERE" "$exe")" -D PinletIcon=../src/app/pinlet.ico \
    "$HERE/pinlet.wxs"

# wixl (0.101) takes a <Condition> inside a <Component> for a launch condition of the whole
# package, so the sign-in entry's condition is written into the Component table here: the entry
# is installed unless STARTATSIGNIN is 0.
msibuild "$tmp" -q "UPDATE \`Component\` SET \`Condition\` = 'STARTATSIGNIN <> \"0\"' WHERE \`Component\` = 'SignIn'"
mv -f "$tmp" "$out"
