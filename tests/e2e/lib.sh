# Helpers for the end-to-end tests, sourced by each suite: results, windows, mouse, the apps.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
PINLET="${PINLET:-$ROOT/build/win/pinlet.exe}" # another build can be tried by setting it
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

# Notes that were running before this suite began (one the developer left open, a benchmark beside
# the tests): their windows are never taken for ours, and nothing here ends them.
OTHER_NOTES=" $(pgrep -f 'pinlet\.exe' 2>/dev/null | tr '\n' ' ') "

# The X windows with this exact title, oldest first, other notes' windows left out.
windows_titled() { # title
    local id pid
    for id in $(xdotool search --name "^$1\$" 2>/dev/null); do
        pid="$(xdotool getwindowpid "$id" 2>/dev/null)"
        [ -n "$pid" ] && [[ "$OTHER_NOTES" == *" $pid "* ]] && continue
        echo "$id"
    done
}

# The X window of a Windows window with this exact title that is not the 1x1 stand-in of a
# zero-size window.
find_window() { # title [window to pass over]
    local title="$1" skip="${2:-}" id width
    for _ in $(seq 1 100); do
        # Newest first: a re-created window comes after the one it replaced.
        for id in $(windows_titled "$title" | tac); do
            [ "$id" = "$skip" ] && continue
            width="$(geometry "$id" 2>/dev/null | cut -d' ' -f3)"
            if [ -n "$width" ] && [ "$width" != 1 ]; then
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

# Where unsaved notes keep their recovery copies (%LOCALAPPDATA%\Pinlet\Recovery), as a Unix path.
RECOVERY="${WINEPREFIX:-$HOME/.wine}/drive_c/users/$(whoami)/AppData/Local/Pinlet/Recovery"

# A start begins without recovery copies (a note an earlier journey ended by a kill leaves one,
# and its question would come first), unless KEEP_RECOVERY=1.
start() { # exe args... ; sets APP_PID
    [ "${KEEP_RECOVERY:-0}" = 1 ] || rm -rf "$RECOVERY"
    wine "$@" >/dev/null 2>&1 &
    APP_PID=$!
}

stop() {
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    sleep 0.3
}


# wintool looks at the note in the X window NOTE, whatever other note runs.
wintool() { PINLET_NOTE_X="${NOTE:-}" wine "$TOOLS/wintool.exe" "$@" 2>/dev/null | tr -d '\r'; }
# The memo's text, byte for byte.
memo_text() { PINLET_NOTE_X="${NOTE:-}" wine "$TOOLS/wintool.exe" text 2>/dev/null; }

# Waits up to 10 s for a window with this title to appear (any size); prints its id.
wait_window() {
    local id
    for _ in $(seq 1 100); do
        id="$(windows_titled "$1" | tail -1)"
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

# True when no window with this title appears within the given seconds.
stays_absent() {
    local seconds="$1" title="$2"
    for _ in $(seq 1 $((seconds * 10))); do
        [ -n "$(windows_titled "$title")" ] && return 1
        sleep 0.1
    done
    return 0
}

# True once the started program has ended (within 10 s).
app_ended() {
    for _ in $(seq 1 100); do
        kill -0 "$APP_PID" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Gives a window the keyboard (there is no window manager to do it).
focus() { xdotool windowfocus --sync "$1"; sleep 0.1; }

# Clicks (button 1 or 3) at a point of a window given in its own coordinates. The window is
# raised first: another note where ours is (every note starts in the same place) would take the
# click.
click_at() { # window x y [button]
    local x y w h
    xdotool windowraise "$1" 2>/dev/null
    read -r x y w h <<<"$(geometry "$1")"
    xdotool mousemove $((x + $2)) $((y + $3))
    sleep 0.1
    xdotool click "${4:-1}"
    sleep 0.4
}

# A Unix path as Wine spells it, and a file's bytes as hex.
winpath() { local p="$1"; echo "Z:${p//\//\\}"; }
hex() { od -An -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

# Glyphs, in the note window's coordinates.
PIN_X=13; OPEN_X=69; SAVE_X=101; GLYPH_Y=14
close_x() { echo $(($(geometry "$NOTE" | cut -d' ' -f3) - 13)); }

# Starts the note; NOTE becomes its window, with the keyboard.
start_note() { # name [arguments...]
    local name="$1"
    shift
    start "$PINLET" "$@"
    NOTE="$(find_window Form1)" || { fail "$name: note appears" "no window"; return 1; }
    focus "$NOTE"
}

# A window with this title other than the note and the application's 1x1 stand-in.
find_other() { find_window "$1" "$NOTE"; }

answer_dialog() { # title, keys typed (may be empty), final key
    local d
    d="$(find_other "$1")" || return 1
    focus "$d"
    [ -n "$2" ] && xdotool type --delay 5 "$2"
    xdotool key "$3"
    sleep 0.6
}

# Types a name into the file dialog with this title, over whatever its name field holds.
answer_name() { # dialog title, name
    local d
    d="$(find_other "$1")" || return 1
    focus "$d"
    xdotool key ctrl+a
    xdotool type --delay 2 "$2"
    xdotool key Return
    sleep 0.6
}

# Runs a command again every 0.1 s until it succeeds, for at most 10 s; a file's whole text.
wait_for() {
    for _ in $(seq 1 100); do "$@" && return 0; sleep 0.1; done
    return 1
}
holds() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }

type_in_note() { focus "$NOTE"; xdotool type --delay 10 "$1"; sleep 0.2; }

close_note() { click_at "$NOTE" "$(close_x)" $GLYPH_Y; }

# The pin glyph's pixels: "red" when any is RGB(255,0,0).
pin_colour() {
    local shot="${WORK:-/tmp}/pin-$$.png" colour=other
    for _ in 1 2 3 4 5; do
        sleep 0.3 # let the window paint
        import -window "$NOTE" -crop 20x23+3+3 "$shot"
        # Whole output first: grep -q would end the pipe early, which pipefail counts as failure.
        convert "$shot" txt:- >"$shot.txt"
        if grep -q '#FF0000' "$shot.txt"; then colour=red; else colour=other; fi
        [ "$colour" = "${1:-}" ] && break
    done
    echo "$colour"
}

report() {
    echo "$(basename "$0" .sh): $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
