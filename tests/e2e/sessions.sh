#!/usr/bin/env bash
# End of the session and two notes side by side, with the real program on the X display: the
# session's end is refused on No and on Cancel while a note has unsaved changes and goes through
# once it is saved; two running notes each keep their own file.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-sessions.XXXXXX)"
TOP="$WORK"
trap 'rm -rf "$TOP"' EXIT

# Starts a note; FOUND becomes its window (passing over a window already known).
start_note_window() { # name [window to pass over]
    start "$PINLET"
    FOUND="$(find_window Form1 "${2:-}")" || { fail "$1: note appears" "no window"; return 1; }
}

save_first_time() { # note window, path
    click_at "$1" $SAVE_X $GLYPH_Y
    local d
    d="$(find_window "Jegyzet ment.*se")" || { fail "save dialog of $2" "none"; return 1; }
    focus "$d"
    xdotool type --delay 5 "$(winpath "$2")"
    xdotool key Return
    sleep 0.8
}

# Types into a note's memo, clicked first so that it has the keyboard even after another
# note was active.
type_into() {
    click_at "$1" 40 60
    focus "$1"
    [ "$(xdotool getwindowfocus)" = "$1" ] || echo "note: keyboard focus is on $(xdotool getwindowfocus), not $1"
    xdotool key End
    xdotool type --delay 10 "$2"
    sleep 0.2
}

# Asks the session to end; answers the confirmation with `key`; true when the end was refused
# and the note still runs.
end_session_answered() { # key
    wineboot -e >/dev/null 2>&1 &
    local wb=$! d
    d="$(find_window Confirm)" || { fail "ending the session asks ($1)" "no question"; wait "$wb"; return 1; }
    focus "$d"
    xdotool key "$1"
    sleep 1
    # The session manager may have given up waiting meanwhile and asks itself; cancel that too.
    if [ -n "$(windows_titled 'Waiting for Program')" ]; then
        d="$(find_window "Waiting for Program")" && focus "$d" && xdotool key Escape
    fi
    wait "$wb"
    local result=$?
    [ "$result" -ne 0 ] && kill -0 "$APP_PID" 2>/dev/null
}

journey_end_session_refused_then_allowed() {
    local note
    start_note_window session || return
    note=$FOUND
    type_into "$note" "unsaved"
    if end_session_answered n; then pass "No refuses the end of the session"
    else fail "No refuses the end of the session" "the session ended"; fi
    if end_session_answered Escape; then pass "Cancel refuses the end of the session"
    else fail "Cancel refuses the end of the session" "the session ended"; fi
    save_first_time "$note" "$WORK/session.txt"
    expect_eq "the refused ends left the text to be saved" "$(cat "$WORK/session.txt")" unsaved
    wineboot -e >/dev/null 2>&1
    expect_eq "a saved note lets the session end" "$?" 0
    app_ended && pass "the saved note ends with the session" ||
        { fail "the saved note ends with the session" "running"; stop; }
}

# The end of the session while the save dialog is open: the question is the dialog's (in front
# of it) and a key answers it at once, without the keyboard being moved there first.
journey_end_session_while_saving() {
    local note dialog wb
    start_note_window saving || return
    note=$FOUND
    type_into "$note" "unsaved"
    click_at "$note" $SAVE_X $GLYPH_Y
    dialog="$(find_window "Jegyzet ment.*se")" || { fail "the save dialog opens" "none"; stop; return; }
    focus "$dialog"
    wineboot -e >/dev/null 2>&1 &
    wb=$!
    find_window Confirm >/dev/null || { fail "ending the session asks" "no question"; wait "$wb"; stop; return; }
    expect_eq "the question is owned by the save dialog" "$(wintool owner Confirm)" "Jegyzet mentése"
    xdotool key n
    wait "$wb"
    [ $? -ne 0 ] && kill -0 "$APP_PID" 2>/dev/null && pass "No refuses the end of the session" ||
        fail "No refuses the end of the session" "the session ended"
    focus "$dialog"
    xdotool type --delay 5 "$(winpath "$WORK/saving.txt")"
    xdotool key Return
    for _ in $(seq 1 100); do [ -s "$WORK/saving.txt" ] && break; sleep 0.1; done
    expect_eq "the save dialog still saves" "$(cat "$WORK/saving.txt" 2>/dev/null)" unsaved
    click_at "$note" $(($(geometry "$note" | cut -d' ' -f3) - 13)) $GLYPH_Y
    app_ended && pass "the saved note closes" || { fail "the saved note closes" "running"; stop; }
}

# Both notes open at the stored place, the newer one on top: each is driven while it is on top.
journey_two_notes_side_by_side() {
    local pid_a pid_b
    WORK="$WORK/side"
    mkdir -p "$WORK"
    start_note_window first || return
    NOTE_A=$FOUND
    pid_a=$APP_PID
    type_into "$NOTE_A" "first"
    save_first_time "$NOTE_A" "$WORK/a.txt"

    start_note_window second "$NOTE_A" || { kill "$pid_a"; return; }
    NOTE_B=$FOUND
    pid_b=$APP_PID
    [ "$NOTE_A" != "$NOTE_B" ] && kill -0 "$pid_a" 2>/dev/null &&
        pass "a second note runs beside the first" || fail "a second note runs beside the first" "one window"
    type_into "$NOTE_B" "second"
    save_first_time "$NOTE_B" "$WORK/b.txt"
    expect_eq "the first note's file is its own" "$(cat "$WORK/a.txt")" first
    expect_eq "the second note's file is its own" "$(cat "$WORK/b.txt")" second
    type_into "$NOTE_B" "-"
    click_at "$NOTE_B" $SAVE_X $GLYPH_Y
    expect_eq "the second note saves again to its own file" "$(cat "$WORK/b.txt")" "second-"
    expect_eq "and leaves the first note's file alone" "$(cat "$WORK/a.txt")" first

    # Closing the second note leaves the first running, with its own file.
    click_at "$NOTE_B" $(($(geometry "$NOTE_B" | cut -d' ' -f3) - 13)) $GLYPH_Y
    APP_PID=$pid_b
    app_ended && kill -0 "$pid_a" 2>/dev/null && pass "closing one note leaves the other running" ||
        { fail "closing one note leaves the other running" "wrong process ended"; stop; }
    APP_PID=$pid_a
    type_into "$NOTE_A" "+"
    click_at "$NOTE_A" $SAVE_X $GLYPH_Y
    expect_eq "the first note saves again to its own file" "$(cat "$WORK/a.txt")" "first+"
    expect_eq "and leaves the second note's file alone" "$(cat "$WORK/b.txt")" "second-"
    expect_eq "the two notes left no other file" "$(ls "$WORK" | tr '\n' ' ')" "a.txt b.txt "
    click_at "$NOTE_A" $(($(geometry "$NOTE_A" | cut -d' ' -f3) - 13)) $GLYPH_Y
    app_ended && pass "the first note closes" || { fail "the first note closes" "running"; stop; }
}

journey_end_session_refused_then_allowed
journey_end_session_while_saving
journey_two_notes_side_by_side
report
