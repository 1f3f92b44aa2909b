#!/usr/bin/env bash
# Notes that live on the desktop, with the real program on the X display: Ctrl+N makes a new note
# in a process of its own beside the first; notes ended with the session come back with
# "<desktop>" exactly where they were (pinned, with their file's or unsaved text), those closed by
# the user do not; no note opens exactly over another.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-desktop.XXXXXX)"
NOTE=none
trap 'rm -rf "$WORK"; rm -rf "$RECOVERY"' EXIT

# One line per note window of this suite: "pid left top right bottom topmost|title|text" (the
# notes that ran before it began are left out).
OTHER_WPIDS=" $(wintool notes | cut -d' ' -f1 | tr '\n' ' ') "
notes() { wintool notes | awk -v other="$OTHER_WPIDS" 'index(other, " " $1 " ") == 0'; }
note_count() { notes | grep -c . ; }
# The line of the note with this pid, without the pid.
note_of() { notes | awk -v pid="$1" '$1 == pid { sub(/^[0-9]+ /, ""); print }'; }
# The note whose text or title holds this word, without the pid.
note_with() { notes | grep -F -- "$1" | sed 's/^[0-9]* //'; }
pid_of_window() { wintool notes | awk -v l="$1" -v t="$2" '$2 == l && $3 == t { print $1 }'; }
# Waits until there are `count` notes.
wait_notes() { for _ in $(seq 1 100); do [ "$(note_count)" -ge "$1" ] && return 0; sleep 0.1; done; return 1; }
# The process of the note with this Windows pid, found by its window (its X window at the same
# place): killed from outside, as the system ends a program that does not answer.
kill_note_of() { # Windows pid
    local l t id
    read -r l t <<<"$(notes | awk -v pid="$1" '$1 == pid { print $2, $3 }')"
    [ -n "$l" ] || return 0
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        if [ "$(geometry "$id" | cut -d' ' -f1,2)" = "$l $t" ]; then
            kill -9 "$(xdotool getwindowpid "$id")" 2>/dev/null
            sleep 0.5
            return 0
        fi
    done
}
# Every note this suite started is ended (each by its own window: other notes may run beside).
end_all() {
    for p in $(notes | cut -d' ' -f1); do kill_note_of "$p"; done
    for p in "${STARTED[@]:-}"; do [ -n "$p" ] && kill -9 "$p" 2>/dev/null; done
    wait 2>/dev/null
    STARTED=()
    sleep 0.5
}
STARTED=()
launch() { wine "$PINLET" "$@" >/dev/null 2>&1 & STARTED+=($!); }
# Answers the question box with the button `key` stands for (y, n), clicking the button from
# outside: keys would go to whichever note the system made active meanwhile. False when no box
# came.
answer_confirm() { # key
    local button
    case "$1" in y) button='&Yes' ;; n) button='&No' ;; *) button=Cancel ;; esac
    find_window Confirm >/dev/null || return 1
    for _ in 1 2 3 4 5; do
        wintool press Confirm "$button"
        sleep 0.7
        xdotool search --name '^Confirm$' >/dev/null 2>&1 || return 0
    done
    return 0
}
records() { ls "$RECOVERY" 2>/dev/null | grep -c '\.place$'; }
# Waits until the records settle (they are written half a second after a change).
settle() { sleep 1.5; }

journey_ctrl_n_makes_a_note_beside() {
    rm -rf "$RECOVERY"
    start_note "ctrl+n" || return
    type_in_note "first"
    local first second
    first="$(notes | head -1)"
    xdotool key ctrl+n
    wait_notes 2 || { fail "Ctrl+N: a second note appears" "$(notes)"; end_all; stop; return; }
    sleep 1
    second="$(notes | grep -v "^${first%% *} ")"
    local fl ft sl st fp sp
    read -r fp fl ft _ <<<"$first"
    read -r sp sl st _ <<<"$second"
    local step=$(( $(echo "$second" | cut -d' ' -f2) - fl ))
    expect_eq "Ctrl+N: the new note is one step down and right" "$((sl - fl)) $((st - ft))" "$step $step"
    [ "$step" -gt 10 ] && [ "$step" -lt 60 ] && pass "Ctrl+N: the step is a caption's height ($step px)" ||
        fail "Ctrl+N: the step is a caption's height" "$step"
    [ "$fp" != "$sp" ] && pass "Ctrl+N: the new note is a process of its own" ||
        fail "Ctrl+N: the new note is a process of its own" "$fp $sp"
    # The new note has the keyboard: what is typed now goes to it.
    xdotool type --delay 20 "second"
    sleep 0.5
    expect_eq "Ctrl+N: the new note has the keyboard, the first keeps its text" \
        "$(note_of "$fp" | cut -d'|' -f3),$(note_of "$sp" | cut -d'|' -f3)" "first,second"
    kill_note_of "$sp"
    sleep 1
    expect_eq "Ctrl+N: killing the new note leaves the first" "$(note_of "$fp" | cut -d'|' -f3)" first
    end_all
    stop
}

# Three notes: one from a file, moved; one from a file pinned at a screen corner and resized; one new with
# unsaved text. The session ends; `how` is "yes" (the unsaved note's changes given up) or
# "killed" (No, then killed from outside, then the session ends).
desktop_session() { # how
    local how="$1"
    rm -rf "$RECOVERY"
    printf 'from the file' >"$WORK/a.txt"
    printf 'pinned' >"$WORK/b.txt"
    launch "$(winpath "$WORK/a.txt")"
    wait_notes 1 || { fail "$how: the file's note appears" "none"; return 1; }
    local a b c
    a="$(find_window a.txt)" || { fail "$how: the file's note" "no window"; end_all; return 1; }
    # Moved by its caption strip, and zoomed to 120 %.
    local g
    read -r gx gy _ <<<"$(geometry "$a")"
    drag $((gx + 200)) $((gy + 14)) -350 -120
    focus "$a"
    xdotool key ctrl+plus ctrl+plus
    launch "$(winpath "$WORK/b.txt")"
    wait_notes 2 || { fail "$how: a second note appears" "$(notes)"; end_all; return 1; }
    b="$(find_window b.txt)" || { fail "$how: the second note" "no window"; end_all; return 1; }
    focus "$b"
    xdotool key ctrl+t
    # Resized by its corner handle and moved to the bottom-right corner of the screen.
    read -r gx gy gw gh <<<"$(geometry "$b")"
    drag $((gx + gw - 3)) $((gy + gh - 3)) -90 -60
    read -r gx gy gw gh <<<"$(geometry "$b")"
    drag $((gx + 200)) $((gy + 14)) $((1280 - gw - gx)) $((1024 - gh - gy))
    # The third: Ctrl+N in the second, then typed into.
    focus "$b"
    xdotool key ctrl+n
    wait_notes 3 || { fail "$how: a third note appears" "$(notes)"; end_all; return 1; }
    sleep 1
    xdotool type --delay 20 "unsaved words"
    settle
    BEFORE_A="$(note_with 'a.txt')"
    BEFORE_B="$(notes | awk '$6 ~ /^1\|/' | sed 's/^[0-9]* //')"
    BEFORE_C="$(note_with 'unsaved words')"
    local cpid
    cpid="$(notes | grep -F 'unsaved words' | cut -d' ' -f1)"
    if [ "$(records)" = 3 ]; then pass "$how: three notes, three records"
    else fail "$how: three notes, three records" "$(notes; ls "$RECOVERY")"; fi
    if [ "$how" = yes ]; then
        wineboot -e >/dev/null 2>&1 &
        local wb=$!
        answer_confirm y
        wait "$wb"
    else
        wineboot -e >/dev/null 2>&1 &
        local wb=$!
        answer_confirm n
        sleep 1
        if xdotool search --name '^Waiting for Program$' >/dev/null 2>&1; then
            d="$(find_window "Waiting for Program")" && focus "$d" && xdotool key Escape
        fi
        wait "$wb"
        kill_note_of "$cpid"
        sleep 0.5
        wineboot -e >/dev/null 2>&1
    fi
    sleep 1
    expect_eq "$how: the session ended every note" "$(note_count)" 0
    STARTED=()
}

journey_back_after_the_session_yes() {
    desktop_session yes || return
    launch "<desktop>"
    wait_notes 2
    sleep 2
    expect_eq "yes: two notes come back (no file, no text: not the third)" "$(note_count)" 2
    expect_eq "yes: the file's note where it was, with its file's text" \
        "$(note_with 'a.txt')" "$BEFORE_A"
    expect_eq "yes: the pinned note where it was, pinned, its size kept" \
        "$(notes | awk '$6 ~ /^1\|/' | sed 's/^[0-9]* //')" "$BEFORE_B"
    # The file's note keeps its zoom: its record, written anew once it is back, says 120 %.
    sleep 1
    expect_eq "yes: the file's note keeps its zoom" \
        "$(grep -l '^zoom=120' "$RECOVERY"/*.place 2>/dev/null | wc -l)" 1
    end_all
}

journey_back_after_the_session_killed() {
    desktop_session killed || return
    launch "<desktop>"
    # The third note asks about its copy; Yes brings its text back.
    if answer_confirm y; then pass "killed: the unsaved note asks about its copy"
    else fail "killed: the unsaved note asks about its copy" "no question"; fi
    wait_notes 3
    sleep 2
    expect_eq "killed: three notes come back" "$(note_count)" 3
    expect_eq "killed: the file's note where it was" "$(note_with 'a.txt')" "$BEFORE_A"
    expect_eq "killed: the pinned note where it was, pinned" \
        "$(notes | awk '$6 ~ /^1\|/' | sed 's/^[0-9]* //')" "$BEFORE_B"
    local back_c
    back_c="$(note_with 'unsaved words' | cut -d'|' -f1,3)"
    [ "$back_c" = "$(echo "$BEFORE_C" | cut -d'|' -f1,3)" ] &&
        pass "killed: the unsaved note where it was, with its text" ||
        fail "killed: the unsaved note where it was, with its text" "$(notes) / $BEFORE_C"
    end_all
}

# A note closed by the user is not brought back; one whose file is gone comes back with the error
# box, empty, with its place; one on a monitor that is gone comes back on the screen; two desktop
# starts at once bring each note back once.
journey_closed_gone_and_twice() {
    rm -rf "$RECOVERY"
    printf 'closed' >"$WORK/closed.txt"
    printf 'deleted' >"$WORK/deleted.txt"
    printf 'far' >"$WORK/far.txt"
    launch "$(winpath "$WORK/closed.txt")"
    local closed
    closed="$(find_window closed.txt)" || { fail "gone: a note appears" "none"; end_all; return; }
    launch "$(winpath "$WORK/deleted.txt")"
    find_window deleted.txt >/dev/null || { fail "gone: a second note appears" "none"; end_all; return; }
    settle
    NOTE=$closed
    close_note
    sleep 1
    expect_eq "a note closed by the user takes its record" "$(records)" 1
    # The other note dies; its file is deleted; a third record is of a monitor far away.
    for p in $(notes | cut -d' ' -f1); do kill_note_of "$p"; done
    sleep 1
    rm -f "$WORK/deleted.txt"
    local far="$RECOVERY/note-1-1-1.place"
    printf 'Pinlet note place 1\r\nfile=%s\r\nwindow=3000,100,3369,377\r\nmonitor=2560,0,3840,1024\r\ndpi=96\r\npinned=0\r\nzoom=100\r\n' \
        "$(winpath "$WORK/far.txt")" >"$far"
    # Two starts at once.
    launch "<desktop>"
    launch "<desktop>"
    local box
    # The error box is captioned with the note's title: the file's name it keeps.
    local message=""
    for _ in $(seq 1 100); do
        message="$(wintool box deleted.txt)"
        [ -n "$message" ] && break
        sleep 0.1
    done
    [[ "$message" == *deleted.txt* ]] && pass "a deleted file's note shows the error box" ||
        fail "a deleted file's note shows the error box" "${message:-none}"
    box="$(xdotool search --name '^deleted.txt$' | while read -r w; do
        [ "$(geometry "$w" | cut -d' ' -f3,4)" != "369 277" ] && echo "$w"; done | head -1)"
    [ -n "$box" ] && focus "$box" && xdotool key Return
    wait_notes 2
    sleep 3
    expect_eq "two desktop starts bring each note back once" "$(note_count)" 2
    local deleted
    deleted="$(note_with deleted.txt)"
    [ -n "$deleted" ] && [ "$(echo "$deleted" | cut -d'|' -f3)" = "" ] &&
        pass "the deleted file's note keeps its name, empty" ||
        fail "the deleted file's note keeps its name, empty" "$(notes)"
    local l t r b
    read -r l t r b _ <<<"$(note_with far)"
    [ -n "$l" ] && [ "$l" -ge 0 ] && [ "$r" -le 1280 ] && [ "$t" -ge 0 ] && [ "$b" -le 1024 ] &&
        pass "a note of a monitor that is gone comes back on the screen" ||
        fail "a note of a monitor that is gone comes back on the screen" "$(notes)"
    end_all
}

# No note opens exactly over another: the same file twice, and a copy restored beside a note.
journey_never_exactly_over_another() {
    rm -rf "$RECOVERY"
    printf 'two' >"$WORK/two.txt"
    launch "$(winpath "$WORK/two.txt")"
    wait_notes 1
    sleep 1
    launch "$(winpath "$WORK/two.txt")"
    wait_notes 2 || { fail "two.txt twice: two notes" "$(notes)"; end_all; return; }
    sleep 1
    local corners
    corners="$(notes | awk '{ print $2, $3 }' | sort | uniq | wc -l)"
    expect_eq "two.txt twice: the second is not at the first's place" "$corners" 2
    end_all
    # A note killed with unsaved text; a note started by hand with a file offers its copy, and Yes
    # restores it in a note of its own, which is not at the first's place either.
    rm -rf "$RECOVERY"
    launch
    wait_notes 1
    NOTE="$(find_window Form1)"
    type_in_note "restored words"
    sleep 2.5
    for p in $(notes | cut -d' ' -f1); do kill_note_of "$p"; done
    sleep 1
    launch "$(winpath "$WORK/two.txt")"
    answer_confirm y || fail "the copy is offered" "no question"
    wait_notes 2
    sleep 1.5
    expect_eq "the copy comes back in a note of its own" "$(note_count)" 2
    corners="$(notes | awk '{ print $2, $3 }' | sort | uniq | wc -l)"
    expect_eq "a restored copy is not at the other note's place" "$corners" 2
    end_all
}

journeys="${*:-$(declare -F | awk '{print $3}' | grep '^journey_')}"
for journey in $journeys; do
    "$journey"
done
report
