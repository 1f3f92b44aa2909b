#!/usr/bin/env bash
# Builds the program for Windows (with the Wine tests) and the OS-free logic natively.
# Usage: scripts/build.sh [win|native|all]   (default: all)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build"
what="${1:-all}"
jobs="$(nproc 2>/dev/null || echo 2)"

if [ "$what" = all ] || [ "$what" = win ]; then
    cmake -S "$ROOT" -B "$BUILD/win" -DCMAKE_BUILD_TYPE=Release -DPINLET_TESTS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$BUILD/win" -j "$jobs" >&2
fi
if [ "$what" = all ] || [ "$what" = native ]; then
    cmake -S "$ROOT" -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$BUILD/native" -j "$jobs" >&2
fi
