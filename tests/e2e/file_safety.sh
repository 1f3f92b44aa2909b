#!/usr/bin/env bash
# End-to-end: what a hostile run tried against the note's files, with the real program. A save
# keeps the file's Unix permissions; a save as onto the note's file under another spelling asks
# when another program changed it; devices, FIFOs and folders are refused, without waiting on
# them; a save as through a link that leads nowhere makes the file it names; what a save that
# died part way left is offered back at the next start.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-safety.XXXXXX)"
trap 'exec 3>&- 2>/dev/null; chmod -R u+w "$WORK"; rm -rf "$WORK"' EXIT
SAVE_DIALOG="Jegyzet ment.*se"
# Where saves keep copies of old bytes (%LOCALAPPDATA%\Pinlet\Saving), as a Unix path.
KEPT="$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')" 2>/dev/null)/Pinlet/Saving"

kept_folder_empty() { [ -z "$(ls -A "$KEPT" 2>/dev/null)" ]; }

# Starts the note on a file; NOTE becomes its window, named after the file.
start_on() { # path
    start "$PINLET" "$(winpath "$1")"
    NOTE="$(find_window "$(basename "$1")")" || { fail "the note opens $(basename "$1")" "no window"; stop; return 1; }
    focus "$NOTE"
}

type_at_end() { focus "$NOTE"; xdotool key ctrl+End; type_in_note "$1"; }

# The text of the error box with this title; the box is closed after.
error_box() { # title
    find_other "$1" >/dev/null || { echo "(no box titled $1)"; return; }
    wintool box "$1"
    answer_dialog "$1" "" Return
}

journey_permissions_kept() {
    local mode file
    for mode in 600 640 664 700; do
        file="$WORK/mode$mode.txt"
        printf 'old' >"$file"
        chmod "$mode" "$file"
        start_on "$file" || continue
        type_at_end " and new"
        xdotool key ctrl+s
        wait_for holds "$file" "old and new" && pass "a $mode note is saved" ||
            fail "a $mode note is saved" "$(cat "$file")"
        expect_eq "a $mode note keeps mode $mode" "$(stat -c %a "$file")" "$mode"
        close_note
        app_ended || stop
    done
    # A new file gets what a new file in that folder gets: never executable, never wider than 644.
    start_note new-file || return
    type_in_note "fresh"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_name "$SAVE_DIALOG" "$(winpath "$WORK/fresh.txt")"
    wait_for holds "$WORK/fresh.txt" fresh
    mode="$(stat -c %a "$WORK/fresh.txt" 2>/dev/null)"
    [ -n "$mode" ] && (( (8#$mode & ~8#644) == 0 )) && pass "a new note gets mode $mode" ||
        fail "a new note is neither executable nor wider than 644" "mode '$mode'"
    close_note
    app_ended || stop
    kept_folder_empty && pass "no kept copy is left after the saves" ||
        fail "no kept copy is left after the saves" "$(ls "$KEPT")"
}

journey_other_spelling() {
    local file="$WORK/sp.txt"
    printf 'first' >"$file"
    start_on "$file" || return
    type_at_end ", mine"
    printf 'written by another program' >"$file"
    xdotool key ctrl+shift+s
    answer_name "$SAVE_DIALOG" "$(winpath "$WORK/SP.TXT")"
    find_other "$SAVE_DIALOG" >/dev/null && answer_dialog "$SAVE_DIALOG" "" y # replace it?
    if find_other Confirm >/dev/null; then pass "save as onto the note's file as SP.TXT asks"
    else fail "save as onto the note's file as SP.TXT asks" "no question"; fi
    answer_dialog Confirm "" n
    expect_eq "No keeps the other program's text" "$(cat "$file")" "written by another program"
    expect_eq "and makes no other file" "$(ls "$WORK" | grep -ic '^sp.txt$')" 1
    close_note
    answer_dialog Confirm "" y
    app_ended || stop
}

journey_not_a_file() {
    local name device
    # The system makes a device's own path of each name (the extension dropped).
    for name in NUL COM1 aux.txt; do
        device="${name%%.*}"
        start "$PINLET" "$name"
        NOTE="$(find_window Form1)" || { fail "$name: the note starts" "no window"; stop; continue; }
        expect_eq "$name on the command line is refused" "$(error_box Pinlet)" \
            "Cannot open file \"\\\\.\\$device\". It is not a file."
        close_note
        app_ended && pass "$name: the empty note closes without a question" ||
            { fail "$name: the empty note closes without a question" "asked or hung"; stop; }
    done
    # A FIFO with a writer that never writes: reading it would wait for ever.
    mkfifo "$WORK/pipe.txt"
    exec 3<>"$WORK/pipe.txt"
    start "$PINLET" "$(winpath "$WORK/pipe.txt")"
    NOTE="$(find_window Form1)" || { fail "FIFO: the note starts" "no window"; stop; exec 3>&-; return; }
    expect_eq "a FIFO on the command line is refused at once" "$(error_box Pinlet)" \
        "Cannot open file \"$(winpath "$WORK/pipe.txt")\". It is not a file."
    close_note
    app_ended && pass "after the FIFO the note closes" || { fail "after the FIFO the note closes" "hung"; stop; }
    exec 3>&-
}

journey_dangling_link() {
    ln -s made.txt "$WORK/dangling.txt"
    start_note dangling || return
    type_in_note "through a link to nothing"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_name "$SAVE_DIALOG" "$(winpath "$WORK/dangling.txt")"
    find_other "$SAVE_DIALOG" >/dev/null && answer_dialog "$SAVE_DIALOG" "" y # replace it?
    wait_for holds "$WORK/made.txt" "through a link to nothing" &&
        pass "a save through a link to nothing makes the file it names" ||
        fail "a save through a link to nothing makes the file it names" "$(ls -l "$WORK" | tr '\n' ' ')"
    [ -L "$WORK/dangling.txt" ] && [ "$(readlink "$WORK/dangling.txt")" = made.txt ] &&
        pass "the link stays a link" || fail "the link stays a link" "$(ls -l "$WORK/dangling.txt")"
    expect_eq "the note is named after the link" "$(xdotool getwindowname "$NOTE")" dangling.txt
    close_note
    app_ended || stop
}

# What a save in place that died part way leaves (the record's format is documented in the
# README), made here by hand: the note's file holds half of the new text.
leave_interrupted_save() { # file, old bytes
    mkdir -p "$KEPT"
    printf '%s' "$2" >"$KEPT/~pn0000AAAA.txt"
    printf 'Pinlet kept copy\r\n%s\r\n~pn0000AAAA.txt\r\n13 0123456789ABCDEF\r\n' \
        "$(winpath "$1")" >"$KEPT/~pn0000BBBB.where"
    printf 'the new te' >"$1"
}

journey_interrupted_save_offered() {
    local file="$WORK/broken.txt"
    NOTE=none # no note window yet: the question comes first
    leave_interrupted_save "$file" "the old text"
    start "$PINLET" "$(winpath "$file")"
    find_window Confirm >/dev/null && pass "the next start asks about the unfinished save" ||
        fail "the next start asks about the unfinished save" "no question"
    answer_dialog Confirm "" Escape
    NOTE="$(find_window broken.txt)" || { fail "the note opens after Cancel" "no window"; stop; return; }
    expect_eq "Cancel leaves the file" "$(cat "$file")" "the new te"
    kept_folder_empty && fail "Cancel keeps the copy for the next start" "gone" ||
        pass "Cancel keeps the copy for the next start"
    close_note
    app_ended || stop

    start "$PINLET" "$(winpath "$file")"
    find_window Confirm >/dev/null && pass "the start after asks again" ||
        fail "the start after asks again" "no question"
    answer_dialog Confirm "" y
    NOTE="$(find_window broken.txt)" || { fail "the note opens after Yes" "no window"; stop; return; }
    expect_eq "Yes puts the old text back" "$(cat "$file")" "the old text"
    expect_eq "and the note opens it" "$(memo_text)" "the old text"
    kept_folder_empty && pass "Yes removes the copy" || fail "Yes removes the copy" "$(ls "$KEPT")"
    close_note
    app_ended || stop

    leave_interrupted_save "$file" "the old text"
    start "$PINLET" "$(winpath "$file")"
    find_window Confirm >/dev/null || fail "No: the start asks" "no question"
    answer_dialog Confirm "" n
    NOTE="$(find_window broken.txt)" || { fail "the note opens after No" "no window"; stop; return; }
    expect_eq "No leaves the file as it is" "$(cat "$file")" "the new te"
    kept_folder_empty && pass "No removes the copy" || fail "No removes the copy" "$(ls "$KEPT")"
    close_note
    app_ended || stop
}

# Every journey, or those named on the command line.
journeys=("$@")
[ $# -gt 0 ] || journeys=(journey_permissions_kept journey_other_spelling journey_not_a_file
    journey_dangling_link journey_interrupted_save_offered)
for journey in "${journeys[@]}"; do "$journey"; done
report
