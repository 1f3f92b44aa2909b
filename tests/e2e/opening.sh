#!/usr/bin/env bash
# End-to-end: opening a large note never freezes it and nothing half-done can be saved. While the
# text goes to the memo in pieces, Ctrl+S, Ctrl+Shift+S and the screen reader's save action write
# nothing and the title says why; Esc puts the previous text and title back; Ctrl+W cancels the
# open and closes; a completed open holds the file's text byte for byte, long lines included.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-opening.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
OPEN_DIALOG="Jegyzet megnyit.*sa"
SAVE_DIALOG="Jegyzet ment.*se"
SAVE_CHILD=4 # the save glyph among the note's accessible children

keys() { focus "$NOTE"; xdotool key "$@"; sleep 0.3; }

# A note of ordinary lines, about `megabytes` MB, with CR LF breaks.
python3 - "$WORK" <<'PY'
import os, random, sys
random.seed(29)
words = ['lorem', 'ipsum', 'kenyér', 'tej', 'dolor', 'sit', 'amet', 'fájl', 'jegyzet']
def lines(n):
    out, size = [], 0
    while size < n:
        line = ' '.join(random.choice(words) for _ in range(random.randint(3, 14))) + '\r\n'
        out.append(line)
        size += len(line.encode())
    return ''.join(out)
with open(os.path.join(sys.argv[1], 'large.txt'), 'w', encoding='utf-8', newline='') as f:
    f.write(lines(8 << 20))
# Ordinary lines around two long ones (a one-line paragraph of 300 KB and one of 70 KB).
long_line = ' '.join(random.choice(words) for _ in range(60000))
with open(os.path.join(sys.argv[1], 'mixed.txt'), 'w', encoding='utf-8', newline='') as f:
    f.write(lines(200000) + long_line[:300000] + '\r\n' + lines(100000) + long_line[:70000])
PY

# Starts opening `file` through the open dialog; succeeds once the title shows the open under way.
begin_open() { # file
    keys ctrl+o
    # The note has unsaved text: the open asks first.
    find_other Confirm >/dev/null && answer_dialog Confirm "" y
    answer_dialog "$OPEN_DIALOG" "$(winpath "$1")" Return
    for _ in $(seq 1 100); do
        case "$(wintool title)" in Megnyit*) return 0 ;; esac
        sleep 0.05
    done
    return 1
}

journey_nothing_half_done_is_saved() {
    local own="$WORK/own.txt"
    printf 'mine' >"$own"
    start "$PINLET" "$(winpath "$own")"
    NOTE="$(find_window own.txt)" || { fail "the own note opens" "no window"; stop; return; }
    focus "$NOTE"
    type_in_note "+"
    if begin_open "$WORK/large.txt"; then pass "a large open shows its progress in the title"
    else fail "a large open shows its progress in the title" "$(wintool title)"; fi
    keys ctrl+s
    case "$(wintool title)" in
    *"várd meg a végét"*) pass "Ctrl+S during the open is refused in the title" ;;
    *) fail "Ctrl+S during the open is refused in the title" "$(wintool title)" ;;
    esac
    keys ctrl+shift+s
    if stays_absent 1 "$SAVE_DIALOG"; then pass "Ctrl+Shift+S during the open asks nothing"
    else fail "Ctrl+Shift+S during the open asks nothing" "dialog"; answer_dialog "$SAVE_DIALOG" "" Escape; fi
    wintool action $SAVE_CHILD
    sleep 0.3
    expect_eq "no save during the open wrote anything" "$(cat "$own")" mine
    case "$(wintool title)" in
    Megnyit*) pass "the open went on meanwhile" ;;
    *) fail "the open went on meanwhile" "$(wintool title)" ;;
    esac
    keys Escape
    expect_eq "Esc gives the memo its text back" "$(memo_text)" "+mine"
    expect_eq "and the title" "$(wintool title)" own.txt
    keys ctrl+s
    wait_for holds "$own" "+mine"
    expect_eq "the note saves its own text again" "$(cat "$own")" "+mine"

    # Ctrl+W cancels an open under way and closes the saved note without a question.
    begin_open "$WORK/large.txt" || fail "a second open starts" "$(wintool title)"
    keys ctrl+w
    app_ended && stays_absent 0 Confirm && pass "Ctrl+W during the open closes the saved note" ||
        { fail "Ctrl+W during the open closes the saved note" "asked or running"; stop; }
    expect_eq "and writes nothing" "$(cat "$own")" "+mine"
}

journey_completed_open_holds_the_file() {
    local started=$SECONDS
    start "$PINLET" "$(winpath "$WORK/mixed.txt")"
    # The note is named after the file once the whole text is in.
    for _ in $(seq 1 600); do
        [ "$(wintool title)" = mixed.txt ] && break
        sleep 0.1
    done
    expect_eq "a note with long lines opens" "$(wintool title)" mixed.txt
    echo "  (opened in about $((SECONDS - started)) s)"
    NOTE="$(find_window mixed.txt)"
    if memo_text | cmp -s - "$WORK/mixed.txt"; then pass "the memo holds the file byte for byte"
    else fail "the memo holds the file byte for byte" "$(memo_text | wc -c) bytes"; fi
    close_note
    app_ended && pass "a completed open leaves the note saved" ||
        { fail "a completed open leaves the note saved" "asked"; answer_dialog Confirm "" y; }
}

# What the note saves, it opens: a paste that would make a line longer than an open takes (1.2 Mi
# characters) is refused with the note's message and none of it goes in; a file larger than an
# open takes is refused with its size and the limit.
journey_what_the_note_saves_it_opens() {
    local line="$WORK/long-line.txt" big="$WORK/big.txt" box
    head -c 1258292 /dev/zero | tr '\0' 'a' >"$line"
    start_note long-paste || return
    type_in_note "keep"
    wintool clip "$(winpath "$line")"
    keys ctrl+v
    if find_other Pinlet >/dev/null; then
        box="$(wintool box Pinlet)"
        [[ "$box" == "Ez a sor túl hosszú lenne: egy sorban legfeljebb 1048576 karakter"* ]] &&
            pass "a 1.2 Mi-character line is refused with the note's message" ||
            fail "a 1.2 Mi-character line is refused with the note's message" "box says '$box'"
        answer_dialog Pinlet "" Return
    else
        fail "a 1.2 Mi-character line is refused with the note's message" "no box titled Pinlet"
    fi
    expect_eq "and none of it is pasted" "$(memo_text)" "keep"
    close_note
    answer_dialog Confirm "" y
    app_ended || stop

    truncate -s 410000000 "$big" # sparse: nothing of it is read
    start "$PINLET" "$(winpath "$big")"
    NOTE="$(find_window Form1)"
    if find_other Pinlet >/dev/null; then
        expect_eq "a file over the limit is refused with its size and the limit" \
            "$(wintool box Pinlet)" "Cannot open file \"$(winpath "$big")\". The file holds \
410000000 bytes; the note opens at most 402653187 bytes."
        answer_dialog Pinlet "" Return
    else fail "a file over the limit is refused with its size and the limit" "no box titled Pinlet"; fi
    close_note
    app_ended || stop
}

# A file with LF, CR or CR LF breaks, saved without an edit, is the same bytes; saved after an
# edit, it keeps its kind of break.
journey_line_breaks_written_as_read() {
    local kind bytes file
    for kind in lf cr crlf; do
        case $kind in lf) bytes='one\ntwo\n' ;; cr) bytes='one\rtwo\r' ;; crlf) bytes='one\r\ntwo\r\n' ;; esac
        file="$WORK/breaks-$kind.txt"
        printf "$bytes" >"$file"
        cp "$file" "$WORK/breaks-$kind.orig"
        start "$PINLET" "$(winpath "$file")"
        NOTE="$(find_window "breaks-$kind.txt")" || { fail "$kind: the note opens" "no window"; stop; continue; }
        keys ctrl+s
        sleep 0.5
        cmp -s "$file" "$WORK/breaks-$kind.orig" && pass "$kind: an unedited save writes the same bytes" ||
            fail "$kind: an unedited save writes the same bytes" "$(hex "$file")"
        keys ctrl+End
        xdotool type --delay 20 "three"
        xdotool key Return
        sleep 0.2
        keys ctrl+s
        sleep 0.5
        expect_eq "$kind: an edited save keeps its breaks" "$(hex "$file")" \
            "$(printf "${bytes}three${bytes#one*two}" | od -An -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')"
        close_note
        app_ended || stop
    done
}

journey_nothing_half_done_is_saved
journey_completed_open_holds_the_file
journey_line_breaks_written_as_read
journey_what_the_note_saves_it_opens
report
