#!/usr/bin/env bash
# End-to-end: any character the user types is kept. Letters outside the system's code page are
# typed into the note and saved (in UTF-8 once the user agrees), a UTF-8 file is opened and saved
# back in UTF-8, and a file whose name the code page cannot spell opens from the command line.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

WORK="$(mktemp -d /tmp/pinlet-unicode.XXXXXX)"
# The X server forgets a changed keyboard map when its last client goes: a client that waits for
# a window that never comes keeps it.
xdotool search --sync --name "^pinlet-keyboard-keeper$" >/dev/null 2>&1 &
KEEPER=$!
trap 'restore_keys; kill $KEEPER 2>/dev/null; rm -rf "$WORK"' EXIT
SAVE_DIALOG="Jegyzet ment.*se"
TYPED="aé✓€őű漢b"

# Puts each of these keysyms on a function key of its own (F5 onwards; the suite presses none of
# them) and puts the keys back when done. xdotool would otherwise lend a key to each such
# character only for the moment it types it, and a program that reads the keyboard map after the
# loan has ended sees no character at all; an unused key code will not do either, as Wine finds
# no scan code for it. Wine reads the map when a program starts.
F5_KEYCODE=71
map_keysyms() { # keysym...
    local keycode keysym tries
    SAVED_KEYS="$(xmodmap -pke | awk -v from=$F5_KEYCODE -v to=$((F5_KEYCODE + $# - 1)) \
        '$1 == "keycode" && $2 >= from && $2 <= to')"
    for tries in 1 2 3 4 5 6 7 8 9 10; do
        keycode=$F5_KEYCODE
        for keysym in "$@"; do
            xmodmap -e "keycode $keycode = $keysym $keysym" || return 1
            keycode=$((keycode + 1))
        done
        # Kept only once the keeper is connected.
        xmodmap -pke | grep -q "^keycode *$((keycode - 1)) = $keysym " && return 0
        sleep 0.2
    done
    return 1
}
restore_keys() {
    [ -n "${SAVED_KEYS:-}" ] && while read -r line; do xmodmap -e "$line"; done <<<"$SAVED_KEYS"
}
map_keysyms eacute U2713 EuroSign odoubleacute udoubleacute U6F22 || fail "the keyboard map" "xmodmap"


# Types TYPED into a new note and saves it under `file`, answering the encoding question.
type_and_save() { # name, file, answer key
    start_note "$1" || return 1
    type_in_note "$TYPED"
    expect_eq "$1: the memo holds every typed character" "$(memo_text)" "$TYPED"
    xdotool key ctrl+s
    answer_name "$SAVE_DIALOG" "$(winpath "$2")"
    answer_dialog Confirm "" "$3"
}

journey_typed_letters_saved_in_utf8() {
    local file="$WORK/typed.txt"
    type_and_save typed "$file" y || return
    expect_eq "Yes saves the typed text in UTF-8" "$(hex "$file")" \
        "$(printf '%s' "$TYPED" | od -An -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')"
    expect_eq "the note is named after its file" "$(xdotool getwindowname "$NOTE")" typed.txt
    # The file is the note's in UTF-8 now: another letter goes in without a question.
    type_in_note "ő"
    xdotool key ctrl+s
    if stays_absent 1 Confirm; then pass "the next save asks nothing"
    else fail "the next save asks nothing" "asked"; answer_dialog Confirm "" n; fi
    expect_eq "and writes UTF-8" "$(cat "$file")" "${TYPED}ő"
    close_note
    app_ended || stop
}

journey_no_keeps_the_note_unsaved() {
    local file="$WORK/refused.txt"
    type_and_save refused "$file" n || return
    if [ -e "$file" ]; then fail "No writes no file" "$(hex "$file")"; else pass "No writes no file"; fi
    expect_eq "No keeps the text" "$(memo_text)" "$TYPED"
    close_note
    if find_other Confirm >/dev/null; then
        pass "No keeps the note unsaved: closing asks"
        answer_dialog Confirm "" y
    else
        fail "No keeps the note unsaved: closing asks" "no question"
    fi
    app_ended || stop
}

journey_unicode_name_from_the_command_line() {
    local file="$WORK/jegyzet✓.txt"
    printf 'kenyér, tej' >"$file"
    start "$PINLET" "$(winpath "$file")"
    NOTE="$(find_window "jegyzet✓.txt")" || { fail "a Unicode name opens" "no window"; stop; return; }
    focus "$NOTE"
    pass "a Unicode name opens from the command line"
    expect_eq "its UTF-8 text shows as letters" "$(memo_text)" "kenyér, tej"
    type_in_note "ő"
    xdotool key ctrl+s
    sleep 0.5
    expect_eq "a letter typed into it is saved in UTF-8" "$(cat "$file")" "őkenyér, tej"
    close_note
    app_ended || stop
}

# One Backspace after a character of two UTF-16 units (an emoji) takes the whole character, and
# the save writes only what is left, in a UTF-8 note and in an ANSI one alike.
journey_backspace_takes_a_whole_character() {
    local kind file mark
    printf 'P\xf0\x9f\x98\x80Q' >"$WORK/emoji.txt"
    for kind in utf8 ansi; do
        file="$WORK/half-$kind.txt"
        mark="" # an empty file is ANSI; a UTF-8 mark alone makes a UTF-8 note
        : >"$file"
        [ "$kind" = utf8 ] && mark="ef bb bf " && printf '\xef\xbb\xbf' >"$file"
        start "$PINLET" "$(winpath "$file")"
        NOTE="$(find_window "half-$kind.txt")" || { fail "$kind: the note opens" "no window"; stop; continue; }
        wintool clip "$(winpath "$WORK/emoji.txt")"
        focus "$NOTE"
        xdotool key ctrl+v Left BackSpace ctrl+s
        sleep 0.5
        stays_absent 1 Confirm || { fail "$kind: the save asks nothing" "asked"; answer_dialog Confirm "" n; }
        expect_eq "$kind note: Backspace after the emoji takes it whole; the file holds P Q" \
            "$(hex "$file")" "${mark}50 51"
        close_note
        app_ended || stop
    done
}

journey_typed_letters_saved_in_utf8
journey_no_keeps_the_note_unsaved
journey_backspace_takes_a_whole_character
journey_unicode_name_from_the_command_line
report
