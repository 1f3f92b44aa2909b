#!/usr/bin/env bash
# End-to-end journeys with the real note: closing with and without changes, save, save as,
# open, pin, a failed save and the end of the session, checked through windows, screenshots and
# the bytes of the files.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-e2e.XXXXXX)"
trap 'chmod -R u+w "$WORK"; rm -rf "$WORK"' EXIT

journey_close_questions() {
    start_note close || return
    close_note
    if app_ended && stays_absent 0 Confirm; then pass "untouched note closes without a question"
    else fail "untouched note closes without a question" "still running"; stop; fi

    start_note close2 || return
    type_in_note "k"
    close_note
    if find_other Confirm >/dev/null; then pass "a changed note asks before closing"
    else fail "a changed note asks before closing" "no Confirm window"; fi
    answer_dialog Confirm "" n
    kill -0 "$APP_PID" 2>/dev/null && pass "No keeps the note" || fail "No keeps the note" "ended"
    close_note
    answer_dialog Confirm "" Escape
    kill -0 "$APP_PID" 2>/dev/null && pass "Cancel keeps the note" || fail "Cancel keeps the note" "ended"
    close_note
    answer_dialog Confirm "" y
    app_ended && pass "Yes ends the program" || { fail "Yes ends the program" "still running"; stop; }
}

journey_save() {
    local list="$WORK/list.txt"
    start_note save || return
    type_in_note "a"
    xdotool key Return
    type_in_note "b"

    click_at "$NOTE" $SAVE_X $GLYPH_Y
    if find_other "Jegyzet ment.*se" >/dev/null; then pass "save opens the save dialog"
    else fail "save opens the save dialog" "no dialog"; fi
    answer_dialog "Jegyzet ment.*se" "" Escape
    [ ! -e "$list" ] && [ "$(xdotool getwindowname "$NOTE")" = Form1 ] &&
        pass "cancelled save changes nothing" || fail "cancelled save changes nothing" "file or title"

    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_dialog "Jegyzet ment.*se" "$(winpath "$WORK")\\list" Return
    expect_eq "first save writes the exact bytes" "$(hex "$list")" "61 0d 0a 62"
    expect_eq "the note's caption becomes the file's name" "$(xdotool getwindowname "$NOTE")" \
        "list.txt"
    local titled
    titled="$(windows_titled list.txt)"
    if grep -qv "^$NOTE\$" <<<"$titled"; then
        pass "the task-bar window's text becomes the file's name"
    else fail "the task-bar window's text becomes the file's name" "not found"; fi

    type_in_note "c"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    if stays_absent 1 "Jegyzet ment.*se"; then pass "a second save asks nothing"
    else fail "a second save asks nothing" "dialog shown"; answer_dialog "Jegyzet ment.*se" "" Escape; fi
    expect_eq "a second save writes to the same file" "$(hex "$list")" "61 0d 0a 62 63"

    # Save as starts with the last path: accepting it at once asks to replace that file.
    type_in_note "d"
    click_at "$NOTE" $SAVE_X $GLYPH_Y 3
    answer_dialog "Jegyzet ment.*se" "" Return
    if find_other "Jegyzet ment.*se" >/dev/null; then
        answer_dialog "Jegyzet ment.*se" "" y # the replace question
    fi
    sleep 0.5
    expect_eq "save as starts with the last path" "$(hex "$list")" "61 0d 0a 62 63 64"
    close_note
    app_ended && stays_absent 0 Confirm && pass "a saved note closes without a question" ||
        { fail "a saved note closes without a question" "asked or running"; stop; }
}

journey_open() {
    local lf="$WORK/lines.txt"
    printf 'one\ntwo' >"$lf"
    start_note open || return
    click_at "$NOTE" $OPEN_X $GLYPH_Y
    if find_other "Jegyzet megnyit.*sa" >/dev/null; then pass "open shows the open dialog"
    else fail "open shows the open dialog" "no dialog"; fi
    answer_dialog "Jegyzet megnyit.*sa" "$(winpath "$lf")" Return
    expect_eq "open sets the caption" "$(xdotool getwindowname "$NOTE")" "lines.txt"
    # Saving writes what the memo shows, without a dialog, with the file's own line breaks (LF).
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    expect_eq "opened lines are saved with their LF breaks" "$(hex "$lf")" "6f 6e 65 0a 74 77 6f"

    # The same text again, then a missing file: the error box, captioned with the current
    # title, and nothing changes.
    click_at "$NOTE" $OPEN_X $GLYPH_Y
    answer_dialog "Jegyzet megnyit.*sa" "$(winpath "$lf")" Return
    click_at "$NOTE" $OPEN_X $GLYPH_Y
    answer_dialog "Jegyzet megnyit.*sa" "$(winpath "$WORK")\\missing.txt" Return
    if find_other lines.txt >/dev/null; then pass "a missing file shows the error box"
    else fail "a missing file shows the error box" "no box titled lines.txt"; fi
    answer_dialog lines.txt "" Return
    expect_eq "a failed open keeps the caption" "$(xdotool getwindowname "$NOTE")" "lines.txt"
    close_note
    app_ended && pass "equal text and a failed open keep the note saved" ||
        { fail "equal text and a failed open keep the note saved" "asked"; answer_dialog Confirm "" y; }
}

journey_pin() {
    start_note pin || return
    expect_eq "the pin starts dark" "$(pin_colour other)" other
    click_at "$NOTE" $PIN_X $GLYPH_Y
    expect_eq "pinning keeps the note's window" "$(find_window Form1)" "$NOTE"
    expect_eq "pinning makes the note topmost" "$(wintool topmost)" 1
    expect_eq "the pinned glyph is red" "$(pin_colour red)" red
    # While the open dialog is up the note leaves the topmost layer.
    click_at "$NOTE" $OPEN_X $GLYPH_Y
    find_other "Jegyzet megnyit.*sa" >/dev/null
    expect_eq "a pinned note does not cover the open dialog" "$(wintool topmost)" 0
    answer_dialog "Jegyzet megnyit.*sa" "" Escape
    expect_eq "the note is topmost again after the dialog" "$(wintool topmost)" 1

    click_at "$NOTE" $PIN_X $GLYPH_Y
    expect_eq "unpinning ends topmost" "$(wintool topmost)" 0
    expect_eq "the unpinned glyph is dark again" "$(pin_colour other)" other

    # A double click toggles once.
    local x y w h
    read -r x y w h <<<"$(geometry "$NOTE")"
    xdotool mousemove $((x + PIN_X)) $((y + GLYPH_Y)) click --repeat 2 --delay 60 1
    sleep 0.6
    expect_eq "a double click on the pin toggles once" "$(wintool topmost)" 1
    # Pinning never changes the saved mark: this note is unchanged and closes quietly.
    close_note
    app_ended && pass "pinning keeps a saved note saved" ||
        { fail "pinning keeps a saved note saved" "asked"; answer_dialog Confirm "" y; }
}

journey_failed_save() {
    local ro="$WORK/readonly.txt"
    printf 'keep' >"$ro"
    chmod a-w "$ro"
    start_note failed-save || return
    type_in_note "new"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_dialog "Jegyzet ment.*se" "$(winpath "$ro")" Return
    if find_other "Jegyzet ment.*se" >/dev/null; then answer_dialog "Jegyzet ment.*se" "" y; fi
    if find_other Pinlet >/dev/null; then pass "a failed save shows the error box"
    else fail "a failed save shows the error box" "no box titled Pinlet"; fi
    answer_dialog Pinlet "" Return
    expect_eq "a failed save leaves the file as it was" "$(cat "$ro")" keep
    expect_eq "a failed save keeps the title" "$(xdotool getwindowname "$NOTE")" Form1
    # The failed name did not become the note's: the next save asks for a name again.
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    if find_other "Jegyzet ment.*se" >/dev/null; then pass "the next save asks for a name again"
    else fail "the next save asks for a name again" "no dialog"; fi
    answer_dialog "Jegyzet ment.*se" "" Escape
    close_note
    answer_dialog Confirm "" y
    app_ended || stop
}

journey_end_session() {
    start_note session || return
    type_in_note "x"
    wineboot -e >/dev/null 2>&1 &
    local wb=$!
    if find_other Confirm >/dev/null; then pass "ending the session asks about unsaved changes"
    else fail "ending the session asks about unsaved changes" "no question"; fi
    answer_dialog Confirm "" n
    # The session manager may have given up waiting meanwhile and asks itself; cancel that too.
    sleep 1
    if [ -n "$(windows_titled 'Waiting for Program')" ]; then
        answer_dialog "Waiting for Program" "" Escape
    fi
    wait "$wb"
    local refused=$?
    [ "$refused" -ne 0 ] && kill -0 "$APP_PID" 2>/dev/null &&
        pass "No refuses the end of the session" || fail "No refuses the end of the session" "ended"

    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_dialog "Jegyzet ment.*se" "$(winpath "$WORK")\\session" Return
    wineboot -e >/dev/null 2>&1
    local result=$?
    expect_eq "a saved note lets the session end" "$result" 0
    app_ended && pass "the note ends with the session" || { fail "the note ends with the session" "running"; stop; }
}

# A note given on the command line opens as the open glyph would open it, absolute or relative;
# a missing one shows the error box and leaves the empty note.
journey_command_line() {
    local given="$WORK/given.txt"
    printf 'one\ntwo' >"$given"
    start "$PINLET" "$(winpath "$given")"
    NOTE="$(find_window given.txt)" || { fail "a note given on the command line opens" "no window"; stop; return; }
    pass "a note given on the command line opens"
    expect_eq "its text arrives with CR LF breaks" "$(memo_text | od -An -tx1 | tr -s ' \n' ' ')" \
        " 6f 6e 65 0d 0a 74 77 6f "
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    if stays_absent 1 "Jegyzet ment.*se"; then pass "the save glyph saves it without a dialog"
    else fail "the save glyph saves it without a dialog" "dialog"; answer_dialog "Jegyzet ment.*se" "" Escape; fi
    expect_eq "back to its own file, with its LF breaks" "$(hex "$given")" "6f 6e 65 0a 74 77 6f"
    close_note
    app_ended && pass "it closes without a question" || { fail "it closes without a question" "asked"; stop; }

    # A name relative to the folder the note is started in.
    (cd "$WORK" && start "$PINLET" given.txt && echo "$APP_PID" >"$WORK/pid")
    APP_PID="$(cat "$WORK/pid")"
    NOTE="$(find_window given.txt)" && pass "a relative name opens too" ||
        fail "a relative name opens too" "no window"
    close_note
    app_ended || stop

    start "$PINLET" "$(winpath "$WORK/missing.txt")"
    NOTE="$(find_window Form1)"
    if find_other Pinlet >/dev/null; then
        expect_eq "a missing note shows the error box" "$(wintool box Pinlet)" \
            "Cannot open file \"$(winpath "$WORK/missing.txt")\". File not found."
        answer_dialog Pinlet "" Return
    else fail "a missing note shows the error box" "no box titled Pinlet"; fi
    expect_eq "and leaves the empty note with its starting title" \
        "$(xdotool getwindowname "$NOTE")|$(memo_text)" "Form1|"
    close_note
    app_ended && pass "which closes without a question" ||
        { fail "which closes without a question" "asked"; stop; }
}

# The note starts on the system's core libraries alone: those of the file dialogs and the shell
# load when first needed (the journeys below use them), so a start does not pay for mapping them.
check_start_libraries() {
    local imports
    imports="$(i686-w64-mingw32-objdump -p "$PINLET" | awk '/DLL Name/ { print tolower($3) }' |
        sort | tr '\n' ' ')"
    expect_eq "the program imports only the core system libraries" "$imports" \
        "advapi32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll "
}

# The system's common controls (the visual styles of the dialogs' buttons) are loaded for the
# first dialog, not at start-up: the note's own window needs none of them.
journey_common_controls_when_first_needed() {
    local process
    start_note common-controls || return
    # This note's own process, by its window: another pinlet.exe may run on the machine.
    process="$(xdotool getwindowpid "$NOTE")"
    if [ ! -r "/proc/$process/maps" ]; then
        fail "the note starts without the common controls" "no process for the note's window"
    elif grep -qi comctl32 "/proc/$process/maps"; then
        fail "the note starts without the common controls" "comctl32 is mapped"
    else
        pass "the note starts without the common controls"
    fi
    type_in_note "x"
    close_note
    if find_other Confirm >/dev/null && grep -qi comctl32 "/proc/$process/maps"; then
        pass "a dialog loads them"
    else
        fail "a dialog loads them" "no question, or comctl32 is not mapped"
    fi
    answer_dialog Confirm "" y
    app_ended || stop
}

check_start_libraries
journey_common_controls_when_first_needed
journey_command_line
journey_close_questions
journey_save
journey_open
journey_pin
journey_failed_save
journey_end_session
report
