#!/usr/bin/env bash
# End-to-end: an unsaved note survives its process. A note killed from outside comes back at the
# next start with its text, its file and the unsaved mark; No, a save, closing with Yes and a
# clean end of the session leave no copy; two running notes keep two copies and only the dead
# one's is offered; damaged copies are kept and reported; two starts at once ask once; the
# "<recover>" argument brings back one named copy.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-recovery.XXXXXX)"
trap 'rm -rf "$WORK"; rm -rf "$RECOVERY"' EXIT
SAVE_DIALOG="Jegyzet ment.*se"

copies() { ls "$RECOVERY" 2>/dev/null | grep -c '\.copy$'; }
no_copy() { [ "$(copies)" = 0 ]; }
# Ends the note's process from outside: nothing it could handle.
kill_note() { kill -9 "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null; sleep 0.3; }
# A start that finds the copies an earlier note left.
start_keeping() { KEEP_RECOVERY=1 start "$PINLET" "$@"; }
# Answers every question titled Confirm with `key` until none has come for 3 s; prints how many
# there were.
answered_questions() { # key
    local count=0 quiet=0 id seen=" "
    while [ "$quiet" -lt 30 ]; do
        id="$(windows_titled Confirm | head -1)"
        if [ -n "$id" ] && [[ "$seen" != *" $id "* ]]; then
            seen="$seen$id "
            count=$((count + 1))
            focus "$id"
            xdotool key "$1"
            sleep 0.6
            quiet=0
        else
            sleep 0.1
            quiet=$((quiet + 1))
        fi
    done
    echo "$count"
}

# Waits until a copy is written, kills the note and starts the program again, which asks.
killed_and_asked() { # name of the check
    sleep 3
    kill_note
    NOTE=none
    start_keeping
    find_window Confirm >/dev/null || { fail "$1" "no question"; stop; return 1; }
}

type_at_end() { focus "$NOTE"; xdotool key ctrl+End; type_in_note "$1"; }

journey_new_note_comes_back() {
    local saved="$WORK/restored.txt" i
    start_note new-note || return
    type_in_note "bevasarlas: kenyer"
    # Pauses longer than a copy's wait: the copy is written anew each time.
    for i in 1 2 3; do sleep 1.5; type_in_note " $i"; done
    sleep 3
    expect_eq "the copy is the user's alone after several writes" \
        "$(stat -c %a "$RECOVERY"/*.copy 2>/dev/null)" 600
    expect_eq "and so is its folder" "$(stat -c %a "$RECOVERY")" 700
    kill_note
    expect_eq "a killed note leaves its copy" "$(copies)" 1
    NOTE=none
    start_keeping
    find_window Confirm >/dev/null && pass "the next start asks" ||
        { fail "the next start asks" "no question"; stop; return; }
    answer_dialog Confirm "" y
    NOTE="$(find_window Form1)" || { fail "Yes shows the note" "no window"; stop; return; }
    expect_eq "Yes shows exactly the typed text" "$(memo_text)" "bevasarlas: kenyer 1 2 3"
    focus "$NOTE"
    xdotool key ctrl+s
    find_other "$SAVE_DIALOG" >/dev/null && pass "Ctrl+S asks for a name" ||
        { fail "Ctrl+S asks for a name" "no dialog"; stop; return; }
    answer_dialog "$SAVE_DIALOG" "$(winpath "$saved")" Return
    wait_for holds "$saved" "bevasarlas: kenyer 1 2 3" && pass "the save writes the text" ||
        fail "the save writes the text" "$(cat "$saved" 2>&1)"
    wait_for no_copy && pass "saving removes the copy" || fail "saving removes the copy" "$(ls "$RECOVERY")"
    close_note
    app_ended && pass "the saved note closes without a question" || { fail "the saved note closes" "asked"; stop; }
}

journey_file_note_comes_back() {
    local file="$WORK/list.txt"
    printf 'first line' >"$file"
    start "$PINLET" "$(winpath "$file")"
    NOTE="$(find_window list.txt)" || { fail "the note opens list.txt" "no window"; stop; return; }
    type_at_end " and more"
    killed_and_asked "a file's note: the next start asks" || return
    answer_dialog Confirm "" y
    NOTE="$(find_window list.txt)" && pass "Yes names the note after its file" ||
        { fail "Yes names the note after its file" "no window"; stop; return; }
    expect_eq "and shows its unsaved text" "$(memo_text)" "first line and more"
    expect_eq "the file is as it was" "$(cat "$file")" "first line"
    focus "$NOTE"
    xdotool key ctrl+s
    wait_for holds "$file" "first line and more" && pass "Ctrl+S writes that file" ||
        fail "Ctrl+S writes that file" "$(cat "$file")"
    wait_for no_copy && pass "and removes the copy" || fail "and removes the copy" "$(ls "$RECOVERY")"
    close_note
    app_ended || { fail "the saved note closes" "asked"; stop; }
}

journey_no_close_and_session_end_leave_none() {
    start_note killed || return
    type_in_note "given up"
    killed_and_asked "No: the next start asks" || return
    answer_dialog Confirm "" n
    NOTE="$(find_window Form1)" || { fail "No shows an empty note" "no window"; stop; return; }
    expect_eq "No shows an empty note" "$(memo_text)" ""
    no_copy && pass "No leaves no copy behind" || fail "No leaves no copy behind" "$(ls "$RECOVERY")"
    type_in_note "closed"
    sleep 3
    expect_eq "typing makes a copy" "$(copies)" 1
    close_note
    answer_dialog Confirm "" y
    app_ended && pass "closing with Yes ends the note" || { fail "closing with Yes ends the note" "running"; stop; }
    no_copy && pass "and removes the copy" || fail "closing with Yes removes the copy" "$(ls "$RECOVERY")"

    start_note session-end || return
    type_in_note "logged off"
    sleep 3
    expect_eq "a copy before the end of the session" "$(copies)" 1
    wineboot -e >/dev/null 2>&1 &
    local wb=$!
    find_other Confirm >/dev/null && answer_dialog Confirm "" y
    wait "$wb"
    app_ended && pass "the session ends after Yes" || { fail "the session ends after Yes" "running"; stop; }
    no_copy && pass "and its end removes the copy" || fail "the end of the session removes the copy" "$(ls "$RECOVERY")"
}

journey_two_notes_only_the_dead_one_offered() {
    local first second third
    start_note first || return
    first=$NOTE; local first_pid=$APP_PID
    type_in_note "the first"
    start_keeping
    second="$(find_window Form1 "$first")" || { fail "a second note appears" "no window"; kill_note; return; }
    local second_pid=$APP_PID
    NOTE=$second
    type_in_note "the second"
    sleep 3
    expect_eq "two running notes keep two copies" "$(copies)" 2
    APP_PID=$first_pid
    kill_note
    start_keeping
    expect_eq "a third note asks once" "$(answered_questions n)" 1
    third="$(find_window Form1 "$second")" || { fail "the third note appears" "no window"; }
    local left
    left="$(ls "$RECOVERY" | grep '\.copy$')"
    expect_eq "No removed only the dead note's copy" "$(copies)" 1
    [ -e "$RECOVERY/${left%.copy}.lock" ] && pass "the one left is the living note's" ||
        fail "the one left is the living note's" "$(ls "$RECOVERY")"
    kill_note # the third
    APP_PID=$second_pid
    kill_note
}

journey_damaged_copies_kept_and_reported() {
    start_note damaged || return
    type_in_note "to be damaged"
    sleep 3
    kill_note
    local copy
    copy="$(ls "$RECOVERY"/*.copy)"
    local bytes
    bytes="$(head -c 30 "$copy" | od -An -tx1)"
    truncate -s 30 "$copy" # cut short: its header promises more
    NOTE=none
    start_keeping
    find_window Error >/dev/null && pass "a copy cut short is reported" ||
        { fail "a copy cut short is reported" "no box"; stop; return; }
    stays_absent 1 Confirm && pass "and not offered" || fail "a copy cut short is not offered" "asked"
    answer_dialog Error "" Return
    local kept
    kept="$(ls "$RECOVERY"/*.damaged 2>/dev/null)"
    [ -n "$kept" ] && expect_eq "and kept aside whole" "$(od -An -tx1 "$kept")" "$bytes" ||
        fail "and kept aside" "$(ls "$RECOVERY")"
    NOTE="$(find_window Form1)" || { fail "the note shows after the report" "no window"; stop; return; }
    close_note
    app_ended || stop
    start_keeping
    stays_absent 2 Error && pass "a copy put aside is not reported again" ||
        { fail "a copy put aside is not reported again" "reported"; answer_dialog Error "" Return; }
    NOTE="$(find_window Form1)" && close_note
    app_ended || stop
}

journey_two_starts_ask_once() {
    start_note orphan || return
    type_in_note "once"
    sleep 3
    kill_note
    NOTE=none
    start_keeping
    local one=$APP_PID
    start_keeping
    local two=$APP_PID
    expect_eq "two notes started at once ask once between them" "$(answered_questions Escape)" 1
    expect_eq "Cancel keeps the copy for the next start" "$(copies)" 1
    APP_PID=$one; kill_note
    APP_PID=$two; kill_note
}

journey_recover_argument() {
    start_note named || return
    type_in_note "by name"
    sleep 3
    kill_note
    local name
    name="$(basename "$(ls "$RECOVERY"/*.copy)" .copy)"
    start_keeping "<recover>$name"
    stays_absent 2 Confirm && pass "the <recover> start asks nothing" ||
        { fail "the <recover> start asks nothing" "asked"; answer_dialog Confirm "" Escape; }
    NOTE="$(find_window Form1)" || { fail "the <recover> start shows a note" "no window"; stop; return; }
    wait_for test "$(memo_text)" = "by name"
    expect_eq "with the copy's text" "$(memo_text)" "by name"
    close_note
    find_other Confirm >/dev/null && pass "the note is unsaved: closing asks" ||
        fail "the note is unsaved: closing asks" "no question"
    answer_dialog Confirm "" y
    app_ended || stop
    no_copy && pass "Yes to closing removes the restored copy" ||
        fail "Yes to closing removes the restored copy" "$(ls "$RECOVERY")"
    start_keeping "<recover>../../x"
    NOTE="$(find_window Form1)" && pass "a <recover> start with a name of no copy shows an empty note" ||
        fail "a <recover> start with a name of no copy shows an empty note" "no window"
    expect_eq "an empty note" "$(memo_text)" ""
    close_note
    app_ended || stop
}

journey_each_yes_its_own_note() {
    local word old=none pids=()
    rm -rf "$RECOVERY"
    for word in alpha beta; do # both running at once, then both killed
        start_keeping
        NOTE="$(find_window Form1 "$old")" || { fail "$word: note appears" "no window"; return; }
        old=$NOTE
        pids+=("$APP_PID")
        type_in_note "$word"
    done
    sleep 3
    for APP_PID in "${pids[@]}"; do kill_note; done
    NOTE=none
    start_keeping
    expect_eq "each copy is asked about" "$(answered_questions y)" 2
    local notes=0 id
    sleep 2
    for id in $(windows_titled Form1); do
        [ "$(geometry "$id" | cut -d' ' -f3)" != 1 ] && notes=$((notes + 1))
    done
    expect_eq "each Yes shows a note of its own" "$notes" 2
    expect_eq "each keeping its copy" "$(copies)" 2
    # The notes the copies came back in, found by their windows: no other note is ended.
    for id in $(windows_titled Form1); do
        kill -9 "$(xdotool getwindowpid "$id")" 2>/dev/null
    done
    wait "$APP_PID" 2>/dev/null
    sleep 0.5
}

journey_steady_typing_gets_a_copy() {
    local file="$WORK/steady.txt" first rest shown
    printf 'saved' >"$file"
    start "$PINLET" "$(winpath "$file")"
    NOTE="$(find_window steady.txt)" || { fail "steady typing: the note opens" "no window"; stop; return; }
    focus "$NOTE"
    xdotool key ctrl+End
    # 100 keys, 150 ms apart, with no pause and the kill right after the last: the first 33 keys
    # take at least 5 s, the other 67 at least 10 s, so the first 33 were typed 10 s before the kill.
    first="abcdefghijklmnopqrstuvwxyzabcdefg"
    rest="$(printf '%067d' 0 | tr 0 x)"
    # xdotool waits half its delay after each press and half after each release.
    xdotool type --delay 300 "$first$rest"
    kill_note
    NOTE=none
    start_keeping
    find_window Confirm >/dev/null && pass "steady typing: the next start offers the copy" ||
        { fail "steady typing: the next start offers the copy" "no question"; stop; return; }
    answer_dialog Confirm "" y
    NOTE="$(find_window steady.txt)" || { fail "steady typing: Yes shows the note" "no window"; stop; return; }
    shown="$(memo_text)"
    [[ "$shown" == "saved$first"* && "saved$first$rest" == "$shown"* ]] &&
        pass "steady typing: the copy holds what was typed 10 s before the kill" ||
        fail "steady typing: the copy holds what was typed 10 s before the kill" "$shown"
    kill_note
}

journeys=("$@")
[ $# -gt 0 ] || journeys=(journey_new_note_comes_back journey_file_note_comes_back
    journey_no_close_and_session_end_leave_none journey_two_notes_only_the_dead_one_offered
    journey_damaged_copies_kept_and_reported journey_two_starts_ask_once journey_recover_argument
    journey_each_yes_its_own_note journey_steady_typing_gets_a_copy)
for journey in "${journeys[@]}"; do "$journey"; done
report
