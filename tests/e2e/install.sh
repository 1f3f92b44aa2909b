#!/usr/bin/env bash
# End-to-end: the Windows Installer package (build/win/pinlet.msi) under Wine's msiexec /qn.
# An install puts the program in %LOCALAPPDATA%\Programs\Pinlet with a Start-menu entry that
# starts a new note, a sign-in entry that brings the notes back and "Open with" for text files;
# an uninstall removes all of that and leaves the notes; a newer package replaces an older one,
# keeps the older one's choice about the sign-in entry, and an older package does not go over a
# newer one. Whatever happens, the suite ends with the package uninstalled: a sign-in entry left
# in the prefix would start the program at Wine's next boot.
set -uo pipefail
. "$(dirname "$0")/lib.sh"

NEW_MSI="$ROOT/build/win/pinlet.msi"
NEW_EXE="$ROOT/build/win/pinlet.exe" # what the build put in that package
WORK="$(mktemp -d /tmp/pinlet-install.XXXXXX)"
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
APP_KEY='HKCU\Software\Classes\Applications\pinlet.exe'
OPEN_WITH_KEY='HKCU\Software\Classes\.txt\OpenWithList\pinlet.exe'

if [ ! -f "$NEW_MSI" ]; then
    fail "the package was built" "no $NEW_MSI (scripts/deps.sh installs wixl and msitools)"
    report
    exit
fi

# The user's folders as Wine names them, and where they are on this side.
win_env() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r\n'; }
LOCAL_WIN="$(win_env LOCALAPPDATA)"
EXE="$LOCAL_WIN\\Programs\\Pinlet\\pinlet.exe"
LNK_WIN="$(win_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Pinlet.lnk"
INSTALLED="$(winepath -u "$LOCAL_WIN\\Programs\\Pinlet" 2>/dev/null)"
LNK="$(winepath -u "$LNK_WIN" 2>/dev/null)"
DATA="$(winepath -u "$LOCAL_WIN\\Pinlet" 2>/dev/null)" # the notes' records; never the package's
SIGN_IN="\"$EXE\" \"<desktop>\""

# A value under a registry key as "TYPE|data"; false when the key or the value is missing.
# (reg names the default value in the system's language, so that one is found by its type.)
reg_value() { # key [value name; the key's default value without one]
    local out line rest
    if [ $# -lt 2 ]; then
        out="$(wine reg query "$1" /ve 2>/dev/null)" || return 1
    else
        out="$(wine reg query "$1" /v "$2" 2>/dev/null)" || return 1
    fi
    while IFS= read -r line; do
        line="${line%$'\r'}"
        if [ $# -ge 2 ]; then
            [[ "$line" == "    $2    "* ]] || continue
            rest="${line#"    $2    "}"
        else
            [[ "$line" =~ ^\ {4}.*\ {4}(REG_[A-Z_]+.*)$ ]] || continue
            rest="${BASH_REMATCH[1]}"
        fi
        if [[ "$rest" == *"    "* ]]; then echo "${rest%%    *}|${rest#*    }"; else echo "$rest|"; fi
        return 0
    done <<<"$out"
    return 1
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }

# A product or upgrade code as Windows Installer packs it in the registry.
packed() { # {AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}
    local g="${1//[\{\}-]/}" out i
    out="$(rev <<<"${g:0:8}")$(rev <<<"${g:8:4}")$(rev <<<"${g:12:4}")"
    for i in 16 18 20 22 24 26 28 30; do out+="${g:i+1:1}${g:i:1}"; done
    echo "$out"
}
msi_property() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }

# The products installed under Pinlet's upgrade code, packed, one a line.
related_products() {
    wine reg query "HKCU\\Software\\Microsoft\\Installer\\UpgradeCodes\\$(packed "$UPGRADE_CODE")" \
        2>/dev/null | tr -d '\r' | sed -n 's/^    \([0-9A-F]\{32\}\)    .*/\1/p'
}
# The versions of the entries named Pinlet in the installed programs (Wine keeps a per-user
# product's entry under HKLM, Windows under HKCU), one a line.
installed_programs() {
    local root
    for root in HKCU HKLM; do
        wine reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s \
            2>/dev/null | tr -d '\r' | awk -F'    ' '
            /^HKEY/ { if (name == "Pinlet") print version; name = ""; version = "" }
            $2 == "DisplayName" { name = $4 }
            $2 == "DisplayVersion" { version = $4 }
            END { if (name == "Pinlet") print version }'
    done
}

msiexec() { wine msiexec "$@" /qn >/dev/null 2>&1; }

UPGRADE_CODE="$(msi_property "$NEW_MSI" UpgradeCode)"
NEW_CODE="$(msi_property "$NEW_MSI" ProductCode)"
NEW_VERSION="$(msi_property "$NEW_MSI" ProductVersion)"

# An older package: the build's program with bytes of its own after it (so that which one is
# installed can be told), one version below.
older_version() {
    local a b c
    IFS=. read -r a b c <<<"$1"
    if [ "$c" -gt 0 ]; then echo "$a.$b.$((c - 1))"
    elif [ "$b" -gt 0 ]; then echo "$a.$((b - 1)).0"
    elif [ "$a" -gt 0 ]; then echo "$((a - 1)).0.0"
    fi
}
OLD_VERSION="$(older_version "$NEW_VERSION")"
OLD_EXE="$WORK/pinlet.exe"
OLD_MSI="$WORK/pinlet-old.msi"
cp "$NEW_EXE" "$OLD_EXE"
printf 'an older build' >>"$OLD_EXE"
if [ -z "$OLD_VERSION" ] || ! "$ROOT/installer/build_msi.sh" "$OLD_VERSION" "$OLD_EXE" "$OLD_MSI" \
    >"$WORK/build.log" 2>&1; then
    fail "an older package is built" "version '$OLD_VERSION' below $NEW_VERSION: $(tail -3 "$WORK/build.log")"
fi
OLD_CODE="$(msi_property "$OLD_MSI" ProductCode 2>/dev/null)"

# True while the product with this code is installed for the user. (Asked by product: Wine drops
# an upgrade code's whole list when it uninstalls one of two products under it.)
registered() { key_exists "HKCU\\Software\\Microsoft\\Installer\\Products\\$(packed "$1")"; }

# Uninstalls whichever of the two packages is installed; true when one was.
uninstall_ours() {
    local code found=1
    for code in "$NEW_CODE" "$OLD_CODE"; do
        [ -n "$code" ] && registered "$code" && msiexec /x "$code" && found=0
    done
    return $found
}

# Wine deletes a key that an uninstall leaves empty, up to these two, which Windows always has:
# the ones that were there are put back.
KEYS_FOUND=()
for key in 'HKCU\Software\Classes' "$RUN_KEY"; do key_exists "$key" && KEYS_FOUND+=("$key"); done

NOTE_PID=""
cleanup() {
    [ -n "$NOTE_PID" ] && kill "$NOTE_PID" 2>/dev/null
    uninstall_ours
    for key in "${KEYS_FOUND[@]}"; do
        # reg add gives a new key an empty default value; the key had none.
        key_exists "$key" || { wine reg add "$key" /f && wine reg delete "$key" /ve /f; } >/dev/null 2>&1
    done
    # Should msiexec have failed, the sign-in entry still goes.
    [ "$(reg_value "$RUN_KEY" Pinlet)" = "REG_SZ|$SIGN_IN" ] &&
        wine reg delete "$RUN_KEY" /v Pinlet /f >/dev/null 2>&1
    rm -f "$INSTALLED/my note.txt" "$DATA/install-check.txt"
    rmdir "$INSTALLED" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
# A run that was killed may have left a package installed.
uninstall_ours && echo "note: a package left by an earlier run was uninstalled first"

# Everything a default install puts in place, with the exact command lines.
journey_install() {
    msiexec /i "$(winpath "$NEW_MSI")"
    expect_eq "msiexec /i succeeds" "$?" 0
    if cmp -s "$INSTALLED/pinlet.exe" "$NEW_EXE"; then pass "the program is in %LOCALAPPDATA%\\Programs\\Pinlet"
    else fail "the program is in %LOCALAPPDATA%\\Programs\\Pinlet" "$(ls "$INSTALLED" 2>&1)"; fi
    if [ -f "$LNK" ]; then pass "the Start-menu entry Pinlet.lnk is there"
    else fail "the Start-menu entry Pinlet.lnk is there" "no $LNK"; fi
    expect_eq "the Start-menu entry starts the program with no argument" \
        "$(wintool link "$LNK_WIN")" "$EXE|"
    expect_eq "the sign-in entry brings the desktop's notes back" \
        "$(reg_value "$RUN_KEY" Pinlet)" "REG_SZ|$SIGN_IN"
    expect_eq "Open with: the command opens the file" \
        "$(reg_value "$APP_KEY\\shell\\open\\command")" "REG_SZ|\"$EXE\" \"%1\""
    expect_eq "Open with: text files are supported" \
        "$(reg_value "$APP_KEY\\SupportedTypes" .txt)" "REG_SZ|"
    if key_exists "$OPEN_WITH_KEY"; then pass "Open with: listed for .txt"
    else fail "Open with: listed for .txt" "no $OPEN_WITH_KEY"; fi
    expect_eq "one product is installed" "$(related_products)" "$(packed "$NEW_CODE")"
}

# The Start-menu entry, started as the shell starts it, shows a new note of the installed program.
# The note is told from any other on the display by its process (Wine shows a process's Windows
# program as its command line), and ended through that process.
journey_start_menu() {
    local before id pid found=""
    before=" $(windows_titled Form1 | tr '\n' ' ') "
    rm -rf "$RECOVERY" # no question about an earlier suite's unsaved note comes first
    wine start "$LNK_WIN" >/dev/null 2>&1
    for _ in $(seq 1 300); do
        for id in $(windows_titled Form1); do
            [[ "$before" == *" $id "* ]] && continue
            pid="$(xdotool getwindowpid "$id" 2>/dev/null)" || continue
            [ "$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -1)" = "$EXE" ] || continue
            [ "$(geometry "$id" 2>/dev/null | cut -d' ' -f3)" != 1 ] && found="$pid" && break 2
        done
        sleep 0.1
    done
    if [ -z "$found" ]; then
        fail "the Start-menu entry starts a note of the installed program" "no new window titled Form1"
        return
    fi
    pass "the Start-menu entry starts a note of the installed program"
    NOTE_PID="$found"
    kill "$found"
    wait_for eval '! kill -0 "$found" 2>/dev/null'
    NOTE_PID=""
}

# The sign-in entry's command brings back a note the desktop recorded: the note of the installed
# program, with its file.
journey_sign_in_brings_notes_back() {
    local command id pid found=""
    rm -rf "$RECOVERY"
    mkdir -p "$RECOVERY"
    printf 'back at sign-in' >"$WORK/signin.txt"
    printf 'Pinlet note place 1\r\nfile=%s\r\nwindow=100,100,469,377\r\nmonitor=0,0,1280,1024\r\ndpi=96\r\npinned=0\r\nzoom=100\r\n' \
        "$(winpath "$WORK/signin.txt")" >"$RECOVERY/note-1-2-3.place"
    # The entry's command is "<installed pinlet.exe>" "<desktop>" (checked above): run as such.
    [ "$(reg_value "$RUN_KEY" Pinlet)" = "REG_SZ|$SIGN_IN" ] || { fail "the sign-in entry" "missing"; return; }
    wine "$EXE" "<desktop>" >/dev/null 2>&1 &
    for _ in $(seq 1 300); do
        for id in $(windows_titled signin.txt); do
            pid="$(xdotool getwindowpid "$id" 2>/dev/null)" || continue
            [ "$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -1)" = "$EXE" ] || continue
            found="$pid" && break 2
        done
        sleep 0.1
    done
    if [ -z "$found" ]; then
        fail "the sign-in entry's command brings the recorded note back" "no window titled signin.txt"
        return
    fi
    pass "the sign-in entry's command brings the recorded note back"
    kill "$found"
    wait_for eval '! kill -0 "$found" 2>/dev/null'
    rm -rf "$RECOVERY"
}

# An uninstall removes the program and its entries and leaves the notes and their records.
journey_uninstall() {
    local note="$INSTALLED/my note.txt" kept="$DATA/install-check.txt" made_data=0
    printf 'a note saved beside the program\r\n' >"$note"
    [ -d "$DATA" ] || { mkdir -p "$DATA" && made_data=1; }
    printf 'kept by the note' >"$kept"
    msiexec /x "$(winpath "$NEW_MSI")"
    expect_eq "msiexec /x succeeds" "$?" 0
    expect_eq "the program is removed, a note beside it stays" "$(ls "$INSTALLED" 2>&1)" "my note.txt"
    expect_eq "the note is unchanged" "$(cat "$note" 2>&1)" $'a note saved beside the program\r'
    expect_eq "%LOCALAPPDATA%\\Pinlet is kept" "$(cat "$kept" 2>&1)" "kept by the note"
    if [ ! -e "$LNK" ]; then pass "the Start-menu entry is removed"
    else fail "the Start-menu entry is removed" "$LNK is there"; fi
    expect_eq "the sign-in entry is removed" "$(reg_value "$RUN_KEY" Pinlet)" ""
    if key_exists "$APP_KEY" || key_exists "$OPEN_WITH_KEY"; then
        fail "the Open with registration is removed" "$(wine reg query "$APP_KEY" /s 2>&1 | tr -d '\r')"
    else pass "the Open with registration is removed"; fi
    expect_eq "no product is installed" "$(related_products)$(installed_programs)" ""
    rm -f "$note" "$kept"
    rmdir "$INSTALLED" 2>/dev/null
    [ "$made_data" = 1 ] && rmdir "$DATA" 2>/dev/null
}

# An older package with the sign-in entry turned off, then the newer one over it.
journey_upgrade() {
    msiexec /i "$(winpath "$OLD_MSI")" STARTATSIGNIN=0
    expect_eq "the older package installs" "$?" 0
    expect_eq "STARTATSIGNIN=0 leaves the sign-in entry out" "$(reg_value "$RUN_KEY" Pinlet)" ""
    cmp -s "$INSTALLED/pinlet.exe" "$OLD_EXE" || fail "the older program is installed" "it is not"
    msiexec /i "$(winpath "$NEW_MSI")"
    expect_eq "the newer package installs over it" "$?" 0
    expect_eq "the newer product replaced the older one" "$(related_products)" "$(packed "$NEW_CODE")"
    expect_eq "one entry in the installed programs, the newer version" \
        "$(installed_programs)" "$NEW_VERSION"
    if cmp -s "$INSTALLED/pinlet.exe" "$NEW_EXE"; then pass "the newer program is installed"
    else fail "the newer program is installed" "the installed pinlet.exe is another"; fi
    expect_eq "the upgrade keeps the sign-in entry off" "$(reg_value "$RUN_KEY" Pinlet)" ""
    msiexec /i "$(winpath "$OLD_MSI")"
    if [ $? -ne 0 ] && cmp -s "$INSTALLED/pinlet.exe" "$NEW_EXE"; then
        pass "an older package does not go over the newer one"
    else fail "an older package does not go over the newer one" "it installed"; fi
    expect_eq "still one product" "$(related_products)" "$(packed "$NEW_CODE")"
    msiexec /x "$NEW_CODE"
    expect_eq "uninstalling by product code leaves nothing installed" \
        "$(related_products)$(installed_programs)" ""
}

journey_install
journey_start_menu
journey_sign_in_brings_notes_back
journey_uninstall
[ -n "$OLD_CODE" ] && journey_upgrade
report
