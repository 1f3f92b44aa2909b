#!/usr/bin/env bash
# End-to-end: a screenshot of the running note shows its painted look, pixel for pixel, where
# the memo and the glyphs leave it visible: the caption strip's bands, the body's gradient
# bands, the border, the two shadow lines and the bottom-left corner.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-look.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT

# Colour of a pixel in the screenshot as "r,g,b".
pixel() { # x y
    awk -v want="$1,$2:" '$1 == want { gsub(/[()]/, "", $2); print $2; exit }' "$WORK/shot.txt" |
        cut -d, -f1-3
}

# The two shadow colours: the olive border blended with the system's button face at 50% and
# 20%, each component rounded to the nearest integer, halves to the even one.
shadow_colours() {
    local face r g b border=(104 94 32) half=() fifth=() i s q n
    face="$(wintool btnface)"
    read -r r g b <<<"$face"
    local faces=("$r" "$g" "$b")
    for i in 0 1 2; do
        s=$((border[i] + faces[i]))
        q=$((s / 2))
        if [ $((s % 2)) -eq 1 ] && [ $((q % 2)) -eq 1 ]; then q=$((q + 1)); fi
        half+=("$q")
        n=$((border[i] + 4 * faces[i]))
        q=$((n / 5))
        [ $((n % 5)) -ge 3 ] && q=$((q + 1))
        fifth+=("$q")
    done
    HALF="${half[0]},${half[1]},${half[2]}"
    FIFTH="${fifth[0]},${fifth[1]},${fifth[2]}"
}

look_of_the_note() {
    start "$PINLET"
    local note
    note="$(find_window Form1)" || { fail "the note appears" "no window"; return; }
    sleep 0.5
    import -window "$note" "$WORK/shot.png"
    convert "$WORK/shot.png" txt:- >"$WORK/shot.txt"
    expect_eq "the screenshot is the note's 369 x 277" \
        "$(identify -format '%w %h' "$WORK/shot.png")" "369 277"
    shadow_colours

    # Caption strip, one-row bands, between the open and save glyphs and past the last glyph.
    for x in 1 200 300 365; do
        expect_eq "caption row 1 at $x" "$(pixel "$x" 1)" "228,228,182"
        expect_eq "caption row 28 at $x" "$(pixel "$x" 28)" "218,216,173"
    done
    expect_eq "caption row 2" "$(pixel 200 2)" "228,227,182"
    # Body bands beside and below the memo: rows 268 to 272 are band 62, row 273 band 63.
    expect_eq "body beside the memo, row 100" "$(pixel 365 100)" "255,255,210"
    expect_eq "body beside the memo, row 200" "$(pixel 365 200)" "255,255,216"
    expect_eq "body below the memo, row 270" "$(pixel 200 270)" "255,255,220"
    expect_eq "body's last band, row 273" "$(pixel 200 273)" "255,255,221"
    # Border, shadow and the corner that keeps the body colour.
    expect_eq "left border" "$(pixel 0 150)" "104,94,32"
    expect_eq "right border" "$(pixel 366 150)" "104,94,32"
    expect_eq "bottom border" "$(pixel 200 274)" "104,94,32"
    expect_eq "top border" "$(pixel 200 0)" "104,94,32"
    expect_eq "inner shadow column" "$(pixel 367 150)" "$HALF"
    expect_eq "inner shadow row" "$(pixel 200 275)" "$HALF"
    expect_eq "outer shadow column" "$(pixel 368 0)" "$FIFTH"
    expect_eq "outer shadow row" "$(pixel 200 276)" "$FIFTH"
    expect_eq "bottom-left corner, row 275" "$(pixel 0 275)" "255,255,221"
    expect_eq "bottom-left corner, row 276" "$(pixel 0 276)" "255,255,221"
    stop
}

look_of_the_note
report
