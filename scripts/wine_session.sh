# Sourced by run.sh, test.sh and bench/run.sh: a virtual display (when needed) and a private Wine
# prefix with one long-lived wineserver. Call wine_session_start, and wine_session_stop when done.
# Each of the three has a prefix of its own (PINLET_PREFIX names it), so that one stopping its
# server does not end another running beside it in the same checkout.

ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="$ROOT/build/wineprefix-${PINLET_PREFIX:-run}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
XVFB_PID=""

# Starts Xvfb on a free display number unless a display is given (or forced with a value of 1);
# PINLET_SCREEN sets its size and depth.
wine_session_display() {
    local force_virtual="${1:-0}"
    if [ -n "${DISPLAY:-}" ] && [ "$force_virtual" != 1 ]; then
        return
    fi
    local fifo
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${PINLET_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$number"
}

# Creates the prefix once: boot, the fonts Wine ships, one X window per Windows window.
wine_session_prefix() {
    if [ ! -f "$WINEPREFIX/.pinlet-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        dpkg -L fonts-wine | grep -E '\.(ttf|fon)$' | while read -r f; do
            cp "$f" "$WINEPREFIX/drive_c/windows/Fonts/"
        done
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.pinlet-ready"
    fi
}

wine_session_start() {
    wine_session_display "${1:-0}"
    wine_session_prefix
    wineserver -p
    # Background services first, so that they do not inherit a test runner's output pipe.
    wine cmd /c exit >/dev/null 2>&1 || true
}

wine_session_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
