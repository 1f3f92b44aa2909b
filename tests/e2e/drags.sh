#!/usr/bin/env bash
# End-to-end: moving and sizing the note by its invisible handles, with the drag-full-windows
# setting restored after each drag, for both settings of the user and both ShowWndContent values.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

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
    # The layout followed: memo 5 narrower and 40 shorter than the window.
    expect_eq "note[$user] memo follows the new size" "$(wintool memo)" \
        "1 31 $((w + 30 - 5)) $((h + 20 - 40)) $((w + 30)) $((h + 20))"

    # A glyph takes the press: dragging from it moves nothing.
    read -r x y w h <<<"$(geometry "$W")"
    drag $((x + 13)) $((y + 14)) 60 40
    expect_eq "note[$user] pressing a glyph does not move" "$(geometry "$W")" "$x $y $w $h"

    # The note keeps room for its caption glyphs and a line of the memo: dragging an edge past
    # the opposite one stops at the smallest size.
    drag $((x + w - 3)) $((y + 100)) -450 0
    read -r x y w h <<<"$(geometry "$W")"
    expect_eq "note[$user] right edge dragged past the left stops at the smallest width" "$w" 140
    drag $((x + 60)) $((y + h - 5)) 0 -400
    read -r x y w h <<<"$(geometry "$W")"
    expect_eq "note[$user] bottom edge dragged past the top stops at the smallest height" "$h" 60
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

report
