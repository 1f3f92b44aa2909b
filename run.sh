#!/usr/bin/env bash
# Installs what is missing, builds pinlet.exe and starts it under Wine. On a desktop (DISPLAY set)
# the note opens there and the script waits until it is closed. Without a display the note opens
# on a virtual one; the script waits until the window is mapped, saves a screenshot, prints the
# PNG file's path and exits.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
cd "$ROOT"
scripts/deps.sh
scripts/build.sh win >build-run.log 2>&1 || { tail -40 build-run.log; exit 1; }
rm -f build-run.log

# shellcheck source=scripts/wine_session.sh
. scripts/wine_session.sh
if [ -n "${DISPLAY:-}" ]; then
    wine_session_start 0
    wine build/win/pinlet.exe
    wineserver -w
    exit 0
fi

trap wine_session_stop EXIT
wine_session_start 1 >/dev/null 2>&1
wine build/win/pinlet.exe >/dev/null 2>&1 &
window=""
for _ in $(seq 1 300); do
    window="$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "the note window did not appear" >&2
    exit 1
fi
sleep 1 # let the first paint finish
shot="$ROOT/build/screenshot.png"
import -window "$window" "$shot"
echo "$shot"
