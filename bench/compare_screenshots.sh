#!/usr/bin/env bash
# Takes a screenshot of the note as ./run.sh does (a fresh start on a virtual display, one second
# after its window appears) for each of two builds of pinlet.exe, and compares them pixel for
# pixel. Prints the number of pixels that differ (0: identical) and where the screenshots are.
# Usage: bench/compare_screenshots.sh OLD_PINLET_EXE NEW_PINLET_EXE
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
OUT="$ROOT/build/screenshots"
mkdir -p "$OUT"
PINLET_PREFIX=bench . scripts/wine_session.sh
trap wine_session_stop EXIT
wine_session_start 1 >/dev/null 2>&1 || { echo "could not start Wine on a virtual display"; exit 1; }

shoot() { # exe, png
    wine "$1" >/dev/null 2>&1 &
    local pid=$! window=""
    for _ in $(seq 1 300); do
        window="$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -1 || true)"
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -z "$window" ] && { echo "the note window did not appear" >&2; return 1; }
    sleep 1
    import -window "$window" "$2"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    for _ in $(seq 1 50); do
        xdotool search --name '^Form1$' >/dev/null 2>&1 || break
        sleep 0.1
    done
}
shoot "$1" "$OUT/old.png" && shoot "$2" "$OUT/new.png" || exit 1
differ="$(compare -metric AE "$OUT/old.png" "$OUT/new.png" "$OUT/difference.png" 2>&1)"
echo "pixels that differ: $differ ($OUT/old.png, $OUT/new.png)"
