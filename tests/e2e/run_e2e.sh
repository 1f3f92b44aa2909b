#!/usr/bin/env bash
# End-to-end: the real pinlet.exe driven with the mouse on an X display, as a user would.
# Needs a running Wine session (scripts/wine_session.sh). Prints PASS/FAIL lines and ends with
# "e2e: N passed, N failed"; exits non-zero on any failure.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
PINLET="$ROOT/build/win/pinlet.exe"
TOOLS="$ROOT/build/win/tests/win"
passed=0
failed=0

pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }
expect_eq() { # name actual expected
    if [ "$2" = "$3" ]; then pass "$1"; else fail "$1" "got '$2', want '$3'"; fi
}

spi_get() { wine "$TOOLS/spi_tool.exe" get 2>/dev/null | tr -d '\r\n'; }
spi_set() { wine "$TOOLS/spi_tool.exe" set "$1" >/dev/null 2>&1; }

# The X window of a Windows window with this exact title that is not the 1x1 stand-in of a
# zero-size window.
find_window() {
    local title="$1" id
    for _ in $(seq 1 100); do
        for id in $(xdotool search --name "^$title\$" 2>/dev/null); do
            if [ "$(geometry "$id" | cut -d' ' -f3)" != 1 ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# "x y width height" of an X window.
geometry() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    echo "$X $Y $WIDTH $HEIGHT"
}

# Presses the left button at (x, y), moves by (dx, dy) in steps and releases. While the button
# is held, the drag-full-windows setting is read into DURING.
drag() {
    local x=$1 y=$2 dx=$3 dy=$4 i
    xdotool mousemove "$x" "$y"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.2
    for i in 1 2 3 4; do
        xdotool mousemove "$((x + dx * i / 5))" "$((y + dy * i / 5))"
        sleep 0.05
    done
    DURING="$(spi_get)"
    xdotool mousemove "$((x + dx))" "$((y + dy))"
    sleep 0.2
    xdotool mouseup 1
    sleep 0.4
}

start() { # exe args... ; sets APP_PID
    wine "$@" >/dev/null 2>&1 &
    APP_PID=$!
}

stop() {
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    sleep 0.3
}

note_drags() { # user setting 0|1
    local user=$1 W x y w h
    spi_set "$user"
    start "$PINLET"
    if ! W="$(find_window Form1)"; then
        fail "note[$user] window appears" "no window titled Form1"
        stop
        return
    fi
    expect_eq "note[$user] opens at the stored place" "$(geometry "$W")" "809 218 369 277"

    # The caption strip away from the glyphs moves the window by the drag distance (to the
    # left, so that the sizing drags below stay on the screen).
    drag $((809 + 200)) $((218 + 14)) -300 40
    expect_eq "note[$user] caption drag moves" "$(geometry "$W")" "509 258 369 277"
    expect_eq "note[$user] contents shown while moving" "$DURING" "1"
    expect_eq "note[$user] setting restored after move" "$(spi_get)" "$user"

    read -r x y w h <<<"$(geometry "$W")"
    # The uncovered columns of the right-edge handle, right of the memo.
    drag $((x + w - 3)) $((y + 100)) 50 0
    expect_eq "note[$user] right edge drag widens" "$(geometry "$W")" "$x $y $((w + 50)) $h"
    expect_eq "note[$user] setting restored after right edge" "$(spi_get)" "$user"

    read -r x y w h <<<"$(geometry "$W")"
    # The uncovered rows of the bottom handle, below the memo.
    drag $((x + 100)) $((y + h - 5)) 0 40
    expect_eq "note[$user] bottom edge drag heightens" "$(geometry "$W")" "$x $y $w $((h + 40))"
    expect_eq "note[$user] setting restored after bottom edge" "$(spi_get)" "$user"

    read -r x y w h <<<"$(geometry "$W")"
    drag $((x + w - 2)) $((y + h - 2)) 30 20
    expect_eq "note[$user] corner drag sizes both" "$(geometry "$W")" \
        "$x $y $((w + 30)) $((h + 20))"
    expect_eq "note[$user] setting restored after corner" "$(spi_get)" "$user"

    # A glyph takes the press: dragging from it moves nothing.
    read -r x y w h <<<"$(geometry "$W")"
    drag $((x + 13)) $((y + 14)) 60 40
    expect_eq "note[$user] pressing a glyph does not move" "$(geometry "$W")" "$x $y $w $h"
    stop
}

host_drag() { # ShowWndContent 0|1, user setting 0|1
    local content=$1 user=$2 W
    spi_set "$user"
    start "$TOOLS/wndact_host.exe" "$content"
    if ! W="$(find_window WndActHost)"; then
        fail "host[$content/$user] window appears" "no window titled WndActHost"
        stop
        return
    fi
    drag 250 110 60 40
    expect_eq "host[$content/$user] moves" "$(geometry "$W")" "160 140 300 200"
    expect_eq "host[$content/$user] setting while moving" "$DURING" "$content"
    expect_eq "host[$content/$user] setting restored" "$(spi_get)" "$user"
    stop
}

original="$(spi_get)"
for user in 0 1; do
    note_drags "$user"
    host_drag 0 "$user"
    host_drag 1 "$user"
done
spi_set "${original:-0}"

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
