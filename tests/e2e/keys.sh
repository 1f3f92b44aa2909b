#!/usr/bin/env bash
# End-to-end: every action of the note from the keyboard alone, with the real program: Ctrl+S
# save, Ctrl+O open, Ctrl+T pin, Ctrl+W close, through the same handlers as the glyphs, and no
# control character left in the memo.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-keys.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
SAVE_DIALOG="Jegyzet ment.*se"
OPEN_DIALOG="Jegyzet megnyit.*sa"

keys() { focus "$NOTE"; xdotool key "$@"; sleep 0.4; }

journey_keys() {
    local file="$WORK/keys.txt"
    start_note keys || return
    type_in_note "abc"
    keys ctrl+s
    if find_other "$SAVE_DIALOG" >/dev/null; then pass "Ctrl+S shows the save dialog"
    else fail "Ctrl+S shows the save dialog" "no dialog"; fi
    answer_dialog "$SAVE_DIALOG" "$(winpath "$file")" Return
    expect_eq "the file holds the typed bytes" "$(hex "$file")" "61 62 63"
    expect_eq "the note is named after its file" "$(xdotool getwindowname "$NOTE")" keys.txt

    type_in_note "d"
    keys ctrl+s
    if stays_absent 1 "$SAVE_DIALOG"; then pass "a second Ctrl+S saves without a dialog"
    else fail "a second Ctrl+S saves without a dialog" "dialog"; answer_dialog "$SAVE_DIALOG" "" Escape; fi
    expect_eq "the second save writes the new bytes" "$(hex "$file")" "61 62 63 64"

    keys ctrl+o
    if find_other "$OPEN_DIALOG" >/dev/null; then pass "Ctrl+O shows the open dialog"
    else fail "Ctrl+O shows the open dialog" "no dialog"; fi
    answer_dialog "$OPEN_DIALOG" "" Escape

    keys ctrl+t
    expect_eq "Ctrl+T pins: the note is topmost" "$(wintool topmost)" 1
    expect_eq "Ctrl+T pins: the glyph is red" "$(pin_colour red)" red
    # Pinning keeps the caret: what is typed next goes on where the text ends.
    type_in_note "e"
    expect_eq "typing after a pin goes on in order" "$(memo_text)" abcde
    keys ctrl+t
    expect_eq "Ctrl+T again unpins" "$(wintool topmost)" 0
    expect_eq "the unpinned glyph is dark" "$(pin_colour other)" other
    # The edit control undoes the whole run of typing, before and after the pin alike; undoing
    # the undo brings it back.
    keys ctrl+z
    expect_eq "undo after pinning still undoes" "$(memo_text)" ""
    keys ctrl+z
    expect_eq "and undoing it brings the text back" "$(memo_text)" abcde
    keys ctrl+w
    if find_other Confirm >/dev/null; then pass "Ctrl+W on an unsaved note asks"
    else fail "Ctrl+W on an unsaved note asks" "no question"; fi
    answer_dialog Confirm "" n
    kill -0 "$APP_PID" 2>/dev/null && pass "No keeps the note" || fail "No keeps the note" "ended"
    expect_eq "the memo holds the typed text and no control character" "$(memo_text | od -An -c |
        tr -s ' \n' ' ' | sed 's/^ //; s/ $//')" "a b c d e"
    keys ctrl+s
    expect_eq "Ctrl+S saves the rest" "$(cat "$file")" abcde
    keys ctrl+w
    app_ended && stays_absent 0 Confirm && pass "Ctrl+W on a saved note closes it" ||
        { fail "Ctrl+W on a saved note closes it" "asked or running"; stop; }
}

journey_keys
report
