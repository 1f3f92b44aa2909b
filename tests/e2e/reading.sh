#!/usr/bin/env bash
# End-to-end: reading the note. Zoom with the keys and Ctrl+wheel (the memo's line pitch against
# the font's own at the zoomed height), the note's own zoom beside another note's; Find with the
# system's dialog, F3 and Shift+F3; a high-contrast theme turned on and off while the note runs.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-reading.XXXXXX)"
OTHER_PID=""
trap '[ -n "$OTHER_PID" ] && kill "$OTHER_PID" 2>/dev/null; [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"' EXIT

keys() { focus "$NOTE"; xdotool key "$@"; sleep 0.4; }
# The memo's line pitch, and a Tahoma line's height at the layout's -13 times a zoom.
pitch() { wintool pitch; }
tahoma_line() { wintool lineheight Tahoma "-$(((13 * $1 + 50) / 100))"; }

journey_zoom() {
    start_note zoom || return
    type_in_note "alpha beta"
    xdotool key Return
    type_in_note "gamma delta"
    keys Up
    local at100 at120 caret
    at100="$(tahoma_line 100)"
    at120="$(tahoma_line 120)"
    [ "$at100" != "$at120" ] || fail "zoom: 120 % is a larger font" "$at100 both"
    expect_eq "zoom: the note starts at the layout's size" "$(pitch)" "$at100"
    caret="$(wintool sel)"

    keys ctrl+plus
    keys ctrl+plus
    expect_eq "zoom: Ctrl+Plus twice makes the text 120 %" "$(pitch)" "$at120"
    expect_eq "zoom: the caret stays" "$(wintool sel)" "$caret"
    expect_eq "zoom: the keys type nothing" "$(memo_text | tr -d '\r\n')" "alpha betagamma delta"

    # Another note keeps its own size.
    printf 'one\r\ntwo' >"$WORK/other.txt"
    wine "$PINLET" "$(winpath "$WORK/other.txt")" >/dev/null 2>&1 &
    OTHER_PID=$!
    local other
    if other="$(find_window other.txt)"; then
        sleep 0.5
        expect_eq "zoom: another note stays at 100 %" "$(WINTOOL_NOTE=other.txt wintool pitch)" "$at100"
        expect_eq "zoom: the first stays at 120 %" "$(WINTOOL_NOTE=Form1 wintool pitch)" "$at120"
    else
        fail "zoom: another note appears" "no window"
    fi
    # Closed as a user closes it (the file is saved: no question).
    [ -n "$other" ] && focus "$other" && xdotool key ctrl+w
    wait "$OTHER_PID" 2>/dev/null
    OTHER_PID=""

    keys ctrl+0
    expect_eq "zoom: Ctrl+0 brings 100 % back" "$(pitch)" "$at100"
    keys ctrl+minus
    expect_eq "zoom: Ctrl+Minus makes it smaller" "$(pitch)" "$(tahoma_line 90)"
    keys ctrl+equal
    expect_eq "zoom: Ctrl+= makes it larger" "$(pitch)" "$at100"

    # The wheel, with Ctrl held, over the text.
    local x y w h
    read -r x y w h <<<"$(geometry "$NOTE")"
    xdotool mousemove $((x + 100)) $((y + 80))
    focus "$NOTE"
    xdotool keydown ctrl click 4 click 4 keyup ctrl
    sleep 0.4
    expect_eq "zoom: Ctrl+wheel up twice makes the text 120 %" "$(pitch)" "$at120"
    xdotool keydown ctrl click 5 click 5 keyup ctrl
    sleep 0.4
    expect_eq "zoom: Ctrl+wheel down twice brings 100 % back" "$(pitch)" "$at100"
    expect_eq "zoom: the caret stays through it all" "$(wintool sel)" "$caret"
    stop
}

FIND_DIALOG=Find
journey_find() {
    printf 'red fox, blue fox; redder\r\nthe fox runs' >"$WORK/find.txt"
    start "$PINLET" "$(winpath "$WORK/find.txt")"
    NOTE="$(find_window find.txt)" || { fail "find: the note opens its file" "no window"; stop; return; }
    focus "$NOTE"
    keys ctrl+Home
    keys ctrl+f
    if find_other "$FIND_DIALOG" >/dev/null; then pass "find: Ctrl+F shows the Find dialog"
    else fail "find: Ctrl+F shows the Find dialog" "no dialog"; stop; return; fi
    answer_name "$FIND_DIALOG" fox
    expect_eq "find: Enter selects the first match" "$(wintool sel)" "4 7"
    answer_dialog "$FIND_DIALOG" "" Escape
    keys F3
    expect_eq "find: F3 selects the next" "$(wintool sel)" "14 17"
    keys F3
    expect_eq "find: F3 goes on to the next line" "$(wintool sel)" "31 34"
    keys shift+F3
    expect_eq "find: Shift+F3 goes back" "$(wintool sel)" "14 17"

    keys ctrl+f
    answer_name "$FIND_DIALOG" wolf
    local box
    if box="$(find_other Information)"; then
        focus "$box"
        xdotool key ctrl+c
        sleep 0.3
        expect_eq "find: a word not in the note says so" \
            "$(wintool clipboard | tr -d '\r' | sed -n 4p)" "Nem található: „wolf”"
        answer_dialog Information "" Return
    else
        fail "find: a word not in the note says so" "no box"
    fi
    expect_eq "find: and the selection stays" "$(wintool sel)" "14 17"
    answer_dialog "$FIND_DIALOG" "" Escape
    expect_eq "find: nothing was typed into the note" "$(memo_text)" \
        "$(printf 'red fox, blue fox; redder\r\nthe fox runs')"
    stop
}

# The colours in a part of a screenshot, one "r,g,b" a line, each once.
colours() { # shot width height x y
    convert "$1" -crop "$2x$3+$4+$5" +repage -unique-colors -depth 8 txt:- |
        sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | sort -u | tr '\n' ' '
}
hc() { wine "$TOOLS/spi_tool.exe" hc "$1" 2>/dev/null | tr -d '\r'; }
shoot() { sleep 0.6; import -window "$NOTE" "$WORK/$1.png"; }

journey_contrast() {
    [ "$(hc get)" = 0 ] || hc 0
    start_note contrast || return
    type_in_note "contrast"
    shoot before
    local window text face facetext
    read -r window text face facetext <<<"$(wintool syscolors)"
    hc 1
    expect_eq "contrast: the theme is on" "$(hc get)" 1
    shoot on
    # The system's colours: the caption strip (past the glyphs) in the face colour, the body
    # beside and below the memo and the memo's empty part in the window colour, each one colour
    # (no gradient, no shadow); the border in the text colour; the glyphs and the text in the
    # text colours (with their edges smoothed into the background).
    expect_eq "contrast: the caption strip is the face colour" \
        "$(colours "$WORK/on.png" 200 26 130 1)" "$face "
    expect_eq "contrast: the memo's empty part is the window colour" \
        "$(colours "$WORK/on.png" 300 150 20 80)" "$window "
    expect_eq "contrast: the body below the memo is the window colour" \
        "$(colours "$WORK/on.png" 360 7 2 268)" "$window "
    expect_eq "contrast: the border is the text colour, without a shadow" \
        "$(colours "$WORK/on.png" 1 240 0 30)|$(colours "$WORK/on.png" 367 1 1 276)" "$text |$text "
    expect_eq "contrast: the text is in the text colour" \
        "$(colours "$WORK/on.png" 60 12 3 33 | grep -o "$text")" "$text"
    expect_eq "contrast: the pin glyph is in the face's text colour" \
        "$(colours "$WORK/on.png" 20 23 3 3 | grep -o "$facetext")" "$facetext"
    hc 0
    expect_eq "contrast: the theme is off" "$(hc get)" 0
    shoot off
    expect_eq "contrast: the note's own look is back, pixel for pixel" \
        "$(compare -metric AE "$WORK/before.png" "$WORK/off.png" null: 2>&1)" 0
    stop
}

if [ $# -eq 0 ]; then set -- zoom find contrast; fi
for journey in "$@"; do "journey_$journey"; done
report
