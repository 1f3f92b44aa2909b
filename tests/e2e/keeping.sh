#!/usr/bin/env bash
# End-to-end: no way left to lose a note. Each journey is a way that a note's text or file was
# lost before, tried with the real program: a file too large for the memo, one with a NUL byte,
# one very long line, names too long for the file dialogs, an open over unsaved text, a failed
# save as, a save through a symbolic link, and two notes on one file.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-keeping.XXXXXX)"
trap 'chmod -R u+w "$WORK"; rm -rf "$WORK"' EXIT
OPEN_DIALOG="Jegyzet megnyit.*sa"
SAVE_DIALOG="Jegyzet ment.*se"


# Clicks open; answers the question about unsaved text with `answer` when one is given.
open_file() { # Windows path [answer]
    click_at "$NOTE" $OPEN_X $GLYPH_Y
    [ -n "${2:-}" ] && answer_dialog Confirm "" "$2"
    answer_name "$OPEN_DIALOG" "$1"
}

# The text of the note's error box with this title; the box is closed after.
error_box() { # title
    find_other "$1" >/dev/null || { echo "(no box titled $1)"; return; }
    wintool box "$1"
    answer_dialog "$1" "" Return
}

caption() { xdotool getwindowname "$NOTE"; }

# True when the message box with this title lies within the work area of its monitor.
box_fits() { # title
    local l t r b wl wt wr wb
    find_other "$1" >/dev/null || return 1
    read -r l t r b wl wt wr wb <<<"$(wintool rect "$1")"
    [ -n "$wb" ] && [ "$l" -ge "$wl" ] && [ "$t" -ge "$wt" ] && [ "$r" -le "$wr" ] && [ "$b" -le "$wb" ]
}

# A text of about `bytes` bytes made of words, without a line break.
one_line() { yes "a long line of words that never ends" | tr '\n' ' ' | head -c "$1"; }

journey_too_large() {
    local big="$WORK/big.txt" saved="$WORK/hello.txt" before
    yes "a line of a very large note" | head -c 300M >"$big"
    before="$(sha1sum <"$big")"
    start_note too-large || return
    type_in_note "hello"
    open_file "$(winpath "$big")" y
    expect_eq "a 300 MB file is refused with its length and the limit" "$(error_box Pinlet)" \
        "Cannot open file \"$(winpath "$big")\". The file holds 314572800 characters; the note \
opens at most 134217728 characters."
    expect_eq "the refused open keeps the text" "$(memo_text)" "hello"
    expect_eq "the refused open keeps the caption" "$(caption)" Form1
    # The note did not become the large file's: saving asks for a name.
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_name "$SAVE_DIALOG" "$(winpath "$saved")"
    expect_eq "the save writes the note's own text" "$(cat "$saved")" "hello"
    expect_eq "the large file is unchanged" "$(sha1sum <"$big")" "$before"
    rm -f "$big"
    close_note
    app_ended || stop
}

journey_long_lines() {
    local line="$WORK/line100k.txt" huge="$WORK/line1m.txt" name=""
    one_line 100000 >"$line"
    one_line 1048577 >"$huge" # one character over the longest line taken
    start_note long-lines || return
    open_file "$(winpath "$line")"
    # The memo wraps a long line in time that grows with the square of its length: seconds here.
    for _ in $(seq 1 600); do
        name="$(caption)"
        [ "$name" = line100k.txt ] && break
        sleep 0.5
    done
    expect_eq "a one-line 100 KB file opens" "$name" line100k.txt
    if memo_text | cmp -s - "$line"; then pass "the memo holds the whole line"
    else fail "the memo holds the whole line" "$(memo_text | wc -c) bytes"; fi
    open_file "$(winpath "$huge")"
    expect_eq "a line one character over 1 Mi is refused at once" "$(error_box line100k.txt)" \
        "Cannot open file \"$(winpath "$huge")\". A line of the file is too long for the note."
    close_note
    app_ended && pass "the note stays responsive and closes" ||
        { fail "the note stays responsive and closes" "asked or hung"; stop; }
}

journey_long_typed_names() {
    local path="$(winpath "$WORK")\\" saved="$WORK/kept.txt"
    while [ ${#path} -lt 281 ]; do path="${path}n"; done
    path="${path}.txt"
    start_note long-names || return
    open_file "$path"
    box_fits Pinlet && pass "the box for a 285-character name fits the screen" ||
        fail "the box for a 285-character name fits the screen" "$(wintool rect Pinlet)"
    # The box breaks the long name where it shows it.
    expect_eq "a 285-character name typed into the open dialog is refused" \
        "$(error_box Pinlet | tr -d '\n')" "Cannot open file \"$path\". File name is too long."
    kill -0 "$APP_PID" 2>/dev/null && pass "the note survives the long name" ||
        fail "the note survives the long name" "ended"
    type_in_note "kept"
    click_at "$NOTE" $SAVE_X $GLYPH_Y 3
    answer_name "$SAVE_DIALOG" "$path"
    expect_eq "save as under a name too long is reported, not dropped" \
        "$(error_box Pinlet | tr -d '\n')" "Cannot create file \"$path\". File name is too long."
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_name "$SAVE_DIALOG" "$(winpath "$saved")"
    expect_eq "the text is kept for a save under a good name" "$(cat "$saved")" kept
    close_note
    app_ended || stop
}

journey_open_over_unsaved_text() {
    local other="$WORK/other.txt"
    printf 'other' >"$other"
    start_note open-unsaved || return
    type_in_note "keep"
    click_at "$NOTE" $OPEN_X $GLYPH_Y
    if find_other Confirm >/dev/null; then pass "an open over unsaved text asks"
    else fail "an open over unsaved text asks" "no question"; fi
    answer_dialog Confirm "" n
    if stays_absent 1 "$OPEN_DIALOG"; then pass "No shows no open dialog"
    else fail "No shows no open dialog" "dialog"; answer_dialog "$OPEN_DIALOG" "" Escape; fi
    expect_eq "No keeps the text" "$(memo_text)" keep
    open_file "$(winpath "$other")" y
    expect_eq "Yes goes on to open" "$(memo_text)" other
    close_note
    app_ended && stays_absent 0 Confirm && pass "open then close exits without a question" ||
        { fail "open then close exits without a question" "asked or running"; stop; }
}

journey_failed_save_as() {
    local own="$WORK/own.txt" ro="$WORK/readonly.txt"
    printf 'own' >"$own"
    printf 'keep' >"$ro"
    chmod a-w "$ro"
    start_note failed-save-as || return
    open_file "$(winpath "$own")"
    type_in_note "+"
    click_at "$NOTE" $SAVE_X $GLYPH_Y 3
    answer_name "$SAVE_DIALOG" "$(winpath "$ro")"
    find_other "$SAVE_DIALOG" >/dev/null && answer_dialog "$SAVE_DIALOG" "" y # replace it?
    expect_eq "save as onto a read-only file fails" "$(error_box own.txt)" \
        "Cannot create file \"$(winpath "$ro")\". Access denied."
    expect_eq "the title still names the note's file" "$(caption)" own.txt
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    if stays_absent 1 "$SAVE_DIALOG"; then pass "the next save asks nothing"
    else fail "the next save asks nothing" "dialog"; answer_dialog "$SAVE_DIALOG" "" Escape; fi
    expect_eq "the next save goes to the file the title names" "$(cat "$own")" "$(memo_text)"
    expect_eq "and not to the name that failed" "$(cat "$ro")" keep
    close_note
    app_ended || stop
}

journey_nul_byte() {
    local nul="$WORK/with-nul.txt"
    printf 'before\0after' >"$nul"
    start_note nul || return
    open_file "$(winpath "$nul")"
    expect_eq "a file with a NUL byte is refused" "$(error_box Pinlet)" \
        "Cannot open file \"$(winpath "$nul")\". The file contains NUL characters."
    expect_eq "the refusal keeps the caption" "$(caption)" Form1
    # Before, the note took the text up to the NUL and its next save wrote only that part.
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    if find_other "$SAVE_DIALOG" >/dev/null; then pass "a save after the refusal asks for a name"
    else fail "a save after the refusal asks for a name" "no dialog"; fi
    answer_dialog "$SAVE_DIALOG" "" Escape
    expect_eq "the file with the NUL byte is unchanged" "$(hex "$nul")" \
        "62 65 66 6f 72 65 00 61 66 74 65 72"
    close_note
    app_ended || stop
}

journey_symbolic_link() {
    printf 'old' >"$WORK/target.txt"
    ln -s target.txt "$WORK/link.txt"
    start_note symlink || return
    type_in_note "through the link"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_name "$SAVE_DIALOG" "$(winpath "$WORK/link.txt")"
    find_other "$SAVE_DIALOG" >/dev/null && answer_dialog "$SAVE_DIALOG" "" y # replace it?
    expect_eq "a save through a link writes the file it leads to" "$(cat "$WORK/target.txt")" \
        "through the link"
    [ -L "$WORK/link.txt" ] && [ "$(readlink "$WORK/link.txt")" = target.txt ] &&
        pass "the link stays a link" || fail "the link stays a link" "$(ls -l "$WORK/link.txt")"
    expect_eq "the note is named after the link" "$(caption)" link.txt
    close_note
    app_ended || stop
}

# Types at the end of the memo of a note that may not be the active one.
type_at_end() { # text
    click_at "$NOTE" 40 60
    focus "$NOTE"
    xdotool key ctrl+End
    type_in_note "$1"
}

journey_two_notes_on_one_file() {
    local shared="$WORK/shared.txt" first pid_first
    start_note first || return
    first=$NOTE
    pid_first=$APP_PID
    type_in_note "from the first"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_name "$SAVE_DIALOG" "$(winpath "$shared")"

    # A second note on the same file, on top of the first (both open at the stored place),
    # saves and closes.
    start "$PINLET"
    NOTE="$(find_window Form1 "$first")" || { fail "a second note appears" "none"; stop; return; }
    focus "$NOTE"
    open_file "$(winpath "$shared")"
    type_at_end " and the second"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    expect_eq "the second note saves the shared file" "$(cat "$shared")" \
        "from the first and the second"
    close_note
    app_ended || { fail "the second note closes" "running"; stop; }

    APP_PID=$pid_first
    NOTE=$first
    type_at_end "!"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    if find_other Confirm >/dev/null; then pass "the first note's save asks: the file changed"
    else fail "the first note's save asks: the file changed" "no question"; fi
    answer_dialog Confirm "" n
    expect_eq "No keeps what the second note saved" "$(cat "$shared")" \
        "from the first and the second"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    answer_dialog Confirm "" y
    expect_eq "Yes overwrites" "$(cat "$shared")" "from the first!"
    close_note
    app_ended || { fail "the first note closes" "running"; stop; }
}

# A save changes the note's text and nothing else about its file.
journey_save_keeps_the_file() {
    local hidden="$WORK/kept/hidden.txt" linked="$WORK/kept/linked.txt" other="$WORK/kept/other.txt"
    local ro="$WORK/kept/readonly.txt"
    mkdir -p "$WORK/kept"
    printf 'hidden note' >"$hidden"
    wintool hide "$(winpath "$hidden")"
    printf 'linked note' >"$linked"
    ln "$linked" "$other"
    printf 'kept' >"$ro"
    chmod a-w "$ro"
    start_note keeps || return
    open_file "$(winpath "$hidden")"
    type_at_end ", edited"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    expect_eq "a hidden note saved holds the new text" "$(cat "$hidden")" "hidden note, edited"
    expect_eq "and stays hidden" "$(wintool attrib "$(winpath "$hidden")")" AH
    open_file "$(winpath "$linked")"
    type_at_end ", edited"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    expect_eq "a note with a second name saved holds the new text" "$(cat "$linked")" \
        "linked note, edited"
    expect_eq "and its other name shows it too" "$(cat "$other")" "linked note, edited"
    open_file "$(winpath "$ro")"
    type_at_end "!"
    click_at "$NOTE" $SAVE_X $GLYPH_Y
    expect_eq "a read-only note is refused" "$(error_box readonly.txt)" \
        "Cannot create file \"$(winpath "$ro")\". Access denied."
    expect_eq "and keeps its bytes" "$(cat "$ro")" kept
    expect_eq "the folder holds no other file" "$(ls "$WORK/kept" | tr '\n' ' ')" \
        "hidden.txt linked.txt other.txt readonly.txt "
    close_note
    answer_dialog Confirm "" y
    app_ended || stop
}

# Every journey, or those named on the command line.
journeys=("$@")
[ $# -gt 0 ] || journeys=(journey_too_large journey_long_lines journey_long_typed_names
    journey_open_over_unsaved_text journey_failed_save_as journey_nul_byte journey_symbolic_link
    journey_two_notes_on_one_file journey_save_keeps_the_file)
for journey in "${journeys[@]}"; do "$journey"; done
report
