#!/usr/bin/env bash
# Builds and runs every benchmark on a virtual display and prints one table: for each figure the
# median of several runs, its reference measured in the same run, their ratio and the budget.
# Also writes bench/chart.png (time to open a note against file size, Pinlet and notepad).
# Usage: bench/run.sh [runs] [sections...]   (default 5 runs; sections: startup startup-busy
# (start-up with another program keeping one CPU busy, 11 rounds) open typing save linebreaks
# paint find footprint recovery desktop, all by default, and limits on request).
# Figures only: nothing here fails on a slow machine.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
RUNS="${1:-5}"
shift $(($# > 0 ? 1 : 0))
SECTIONS=" ${*:-startup startup-busy open typing save linebreaks paint find footprint recovery desktop} "
want() { [[ "$SECTIONS" == *" $1 "* ]]; }
OUT="$ROOT/build/bench"
FILES="$OUT/files"
mkdir -p "$OUT" "$FILES"

scripts/deps.sh libbenchmark-dev python3-matplotlib >&2 || { echo "could not install the build tools"; exit 1; }
scripts/build.sh win >"$OUT/build.log" 2>&1 || { tail -20 "$OUT/build.log"; exit 1; }
cmake -S "$ROOT" -B "$ROOT/build/bench-native" -DCMAKE_BUILD_TYPE=Release \
    -DPINLET_NATIVE_BENCH=ON >/dev/null && cmake --build "$ROOT/build/bench-native" -j 2 \
    >>"$OUT/build.log" 2>&1 || { tail -20 "$OUT/build.log"; exit 1; }

# A screen that holds a 1920 x 1080 note.
export PINLET_SCREEN=2560x1600x24
PINLET_PREFIX=bench . scripts/wine_session.sh
trap wine_session_stop EXIT
wine_session_start 1 >/dev/null 2>&1 || { echo "could not start Wine on a virtual display"; exit 1; }
# No note starts with copies of unsaved notes an earlier run left: it would ask about them first.
rm -rf "$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Pinlet/Recovery"

BUILD="$ROOT/build/win"
NOTEPAD="$WINEPREFIX/drive_c/windows/system32/notepad.exe"
winpath() { echo "Z:${1//\//\\}"; }
# The first program that shows a window in a new Wine session pays for the session's own start
# (200-250 ms more here, whichever program it is; in the start-up rounds that was always the
# note, which goes first): the bare window is shown once, untimed, before anything is measured.
wine "$BUILD/bench/launch_timer.exe" Minimal 200 1 E4E4B6 1500 \
    "$(winpath "$BUILD/bench/minimal_window.exe")" >/dev/null 2>&1
# A file of `bytes` bytes that repeats `text` (\r\n written as such), made once.
repeated_file() { # path bytes text
    [ -e "$1" ] || python3 -c 'import sys
text = sys.argv[3].replace("\\r", "\r").replace("\\n", "\n")
size = int(sys.argv[2])
open(sys.argv[1], "w", newline="").write((text * (size // len(text) + 1))[:size])' "$@"
}
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }
spread() { printf '%s\n' "$@" | sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { print lo "-" hi }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
ROWS=()
row() { ROWS+=("$(printf '%-34s %12s %12s %8s  %s' "$1" "$2" "$3" "$4" "$5")"); }

# Starts a program through launch_timer, which measures inside the system until a visible window
# of the program whose title contains `title` shows `colour` (RRGGBB, or - for any) at (x, y).
# LAUNCH_MS is that time (-1 if it never does); PEAK_KB is the peak memory of `exe` meanwhile.
launch() { # title x y colour exe [argument]
    local title="$1" x="$2" y="$3" colour="$4" exe="$5" result="$OUT/launch.txt"
    : >"$result"
    "${PIN[@]}" wine "$BUILD/bench/launch_timer.exe" "$title" "$x" "$y" "$colour" 1500 \
        "$(winpath "$exe")" ${6:+"$6"} 2>/dev/null >"$result" &
    local pid=$! peak
    PEAK_KB=""
    # Once the time is in, the program's peak memory, read while the launcher keeps it running.
    while kill -0 "$pid" 2>/dev/null && [ ! -s "$result" ]; do sleep 0.05; done
    while kill -0 "$pid" 2>/dev/null; do
        peak="$(peak_kb "$(basename "$exe")")"
        [ -n "$peak" ] && PEAK_KB="$peak"
        sleep 0.2
    done
    wait "$pid"
    LAUNCH_MS="$(head -1 "$result" | tr -d '\r')"
    LAUNCH_MS="${LAUNCH_MS:--1}"
}

# Peak resident memory (kB) of the Wine process running `exe`.
peak_kb() {
    local pid
    # The launcher names the program too: leave it out.
    pid="$(pgrep -af "$1" | grep -v launch_timer | head -1 | cut -d' ' -f1)"
    [ -n "$pid" ] && awk '/VmHWM/ { print $2 }' "/proc/$pid/status"
}

# Every window a program makes and shows asks Wine's server and the display many questions; on
# this kind of virtual machine each one that wakes the other, idle CPU costs tens of
# microseconds, which made start-up figures vary by a factor of two from run to run. The start-up
# and painting figures are therefore taken with the programs, the server and the display on one
# CPU (where taskset is there to pin them).
PIN=()
pin_to_one_cpu() {
    command -v taskset >/dev/null || return 0
    for pid in $(pgrep -x wineserver32) $(pgrep -x wineserver) $(pgrep -x wineserver64) \
        ${XVFB_PID:-}; do
        taskset -pc 0 "$pid" >/dev/null 2>&1
    done
    PIN=(taskset -c 0)
}
unpin() {
    command -v taskset >/dev/null || return 0
    for pid in $(pgrep -x wineserver32) $(pgrep -x wineserver) $(pgrep -x wineserver64) \
        ${XVFB_PID:-}; do
        taskset -pc "0-$(($(nproc) - 1))" "$pid" >/dev/null 2>&1
    done
    PIN=()
}

# Notepad wraps its lines, as the note does, in a window of the note's size and place.
notepad_as_note() {
for setting in "fWrap 1" "iWindowPosX 809" "iWindowPosY 218" "iWindowPosDX 369" \
    "iWindowPosDY 277"; do
    read -r name value <<<"$setting"
    wine reg add 'HKCU\Software\Microsoft\Notepad' /v "$name" /t REG_DWORD /d "$value" /f \
        >/dev/null 2>&1
done
}
# The opening's files (made once): lines of random words and one long line of them.
open_files() {
python3 - "$FILES" <<'PY'
import os, random, sys
folder = sys.argv[1]
random.seed(1)
words = [''.join(random.choice('abcdefghijklmnopqrstuvwxyz') for _ in range(random.randint(2, 9)))
         for _ in range(500)]
def write(name, text):
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        with open(path, 'w', newline='') as f:
            f.write(text)
for name, size in (('10k', 10 << 10), ('100k', 100 << 10), ('1m', 1 << 20), ('10m', 10 << 20)):
    parts, n = [], 0
    while n < size:
        line = ' '.join(random.choice(words) for _ in range(random.randint(4, 12))) + '\r\n'
        parts.append(line)
        n += len(line)
    write(f'lines-{name}.txt', ''.join(parts)[:size].rstrip('\r'))
line = ' '.join(random.choice(words) for _ in range(250000))
for name, size in (('20k', 20000), ('100k', 100000), ('400k', 400000), ('1m', 1000000)):
    write(f'line-{name}.txt', line[:size])
PY
}

# The start-up rows (label: what the rows' names add) and the phase table, from `rounds` rounds.
measure_startup() { # rounds label file-suffix
local rounds="$1" label="$2" suffix="$3"
pin_to_one_cpu
# Each program to its first painted pixel: the note's caption colour at (200, 1), which the floor
# (the note's window with a word-wrapping edit control in Tahoma, bench/edit_window.cpp) and the
# bare window paint too; notepad to its window.
pinlet_times=() floor_times=() minimal_times=() notepad_times=() fallback_times=()
for _ in $(seq 1 "$rounds"); do
    launch Form1 200 1 E4E4B6 "$BUILD/pinlet.exe"
    pinlet_times+=("$LAUNCH_MS")
    pinlet_peak="$PEAK_KB"
    launch Floor 200 1 E4E4B6 "$BUILD/bench/edit_window.exe"
    floor_times+=("$LAUNCH_MS")
    launch Minimal 200 1 E4E4B6 "$BUILD/bench/minimal_window.exe"
    minimal_times+=("$LAUNCH_MS")
    minimal_peak="$PEAK_KB"
    launch Notepad 0 0 - "$NOTEPAD"
    notepad_times+=("$LAUNCH_MS")
    fallback_times+=("$(wine "$BUILD/bench/glyph_bench.exe" 2>/dev/null | awk '{ print $2 }')")
done
startup="$(printf '%s\n' "${pinlet_times[@]}" | median)"
floor="$(printf '%s\n' "${floor_times[@]}" | median)"
minimal="$(printf '%s\n' "${minimal_times[@]}" | median)"
notepad_start="$(printf '%s\n' "${notepad_times[@]}" | median)"
fallback="$(printf '%s\n' "${fallback_times[@]}" | median)"
row "start-up$label, ms (vs floor: edit window)" "$startup" "$floor" "$(ratio "$startup" "$floor")" \
    "<= 1.15"
row "start-up$label, ms (vs notepad)" "$startup" "$notepad_start" \
    "$(ratio "$startup" "$notepad_start")" "<= 1.00"
row "start-up$label, ms (vs bare window)" "$startup" "$minimal" "$(ratio "$startup" "$minimal")" "-"
row "  spread, ms: note / floor" "$(spread "${pinlet_times[@]}")" \
    "$(spread "${floor_times[@]}")" "" "notepad $(spread "${notepad_times[@]}")"
row "  glyph fallback, ms (vs start-up)" "$fallback" "$startup" "$(ratio "$fallback" "$startup")" \
    "<= 0.03"

# Where the note's start-up goes: the marks it writes when PINLET_STARTUP_MARKS names a file
# (toolkit/startup_marks.h), from runs of their own after the timed ones, beside the floor's.
rm -f "$OUT/marks-pinlet.txt" "$OUT/marks-floor.txt"
for _ in $(seq 1 "$rounds"); do
    echo "---" >>"$OUT/marks-pinlet.txt"
    PINLET_STARTUP_MARKS="$(winpath "$OUT/marks-pinlet.txt")" launch Form1 200 1 E4E4B6 \
        "$BUILD/pinlet.exe"
    echo "---" >>"$OUT/marks-floor.txt"
    PINLET_STARTUP_MARKS="$(winpath "$OUT/marks-floor.txt")" launch Floor 200 1 E4E4B6 \
        "$BUILD/bench/edit_window.exe"
done
python3 "$ROOT/bench/startup_phases.py" "$OUT/marks-pinlet.txt" "$OUT/marks-floor.txt" \
    >"$OUT/startup-phases$suffix.txt"
unpin
}

if want startup || want footprint; then
echo "start-up ($RUNS runs each, interleaved, on one CPU) ..." >&2
measure_startup "$RUNS" "" ""
fi

if want startup-busy; then
echo "start-up with one CPU kept busy (11 runs each, interleaved) ..." >&2
# Another program keeps one CPU busy, wherever the system runs it, as the other engineers' builds
# do on this machine.
( trap 'exit 0' TERM; while :; do :; done ) &
BUSY_PID=$!
measure_startup 11 " beside a busy CPU" "-busy"
kill "$BUSY_PID"
wait "$BUSY_PID" 2>/dev/null
fi

if want open; then
echo "opening notes ..." >&2
# Both programs as black boxes, the same way: bench/open_probe.exe starts the program with the
# file, watches its edit control take the text (the first screen: it holds some; the whole: all
# of it) and sends its window a message every few milliseconds to find the longest time it did
# not answer. Times are from the launch less the program's own start-up, measured the same way
# without a file. Notepad wraps its lines, as the note does, in a window of the note's size and
# place.
notepad_as_note
open_files
probe() { # program file editclass length limit-ms -> "first whole unanswered"
    wine "$BUILD/bench/open_probe.exe" "$(winpath "$1")" "$2" "$3" "$4" "$5" 2>/dev/null | tr -d '\r'
}
NOTE_EXE="$BUILD/pinlet.exe"
starts() { # program editclass -> median start-up over 3
    for _ in 1 2 3; do probe "$1" - "$2" 0 60000 | cut -d' ' -f1; done | median
}
pinlet_start="$(starts "$NOTE_EXE" TkMemo)"
notepad_start="$(starts "$NOTEPAD" Edit)"
: >"$OUT/chart.dat"
for file in lines-10k lines-100k lines-1m lines-10m line-20k line-100k line-400k line-1m; do
    path="$FILES/$file.txt"
    bytes="$(stat -c %s "$path")"
    # Three runs each where a run takes seconds; one where it takes minutes.
    runs=1
    case "$file" in lines-10k | lines-100k | lines-1m) runs=3 ;; esac
    for program in pinlet notepad; do
        if [ $program = pinlet ]; then exe="$NOTE_EXE" cls=TkMemo start="$pinlet_start"
        else exe="$NOTEPAD" cls=Edit start="$notepad_start"; fi
        # One-line files of 400 KB and more take notepad minutes: at most 10 minutes each.
        results=()
        for _ in $(seq 1 "$runs"); do results+=("$(probe "$exe" "$(winpath "$path")" $cls "$bytes" 600000)"); done
        first="$(printf '%s\n' "${results[@]}" | cut -d' ' -f1 | median)"
        whole="$(printf '%s\n' "${results[@]}" | cut -d' ' -f2 | median)"
        gap="$(printf '%s\n' "${results[@]}" | cut -d' ' -f3 | median)"
        net() { [ "$1" -lt 0 ] && echo -1 || echo $(($1 > $2 ? $1 - $2 : 0)); }
        eval "${program}_first=$(net "${first%.*}" "$start") ${program}_whole=$(net "${whole%.*}" "$start") ${program}_gap=${gap%.*}"
    done
    kind=lines; [ "${file%%-*}" = line ] && kind=line
    row "open $file: first screen, ms" "$pinlet_first" "$notepad_first" \
        "$(ratio "$pinlet_first" "$notepad_first")" "<= 150 ms"
    budget="<= 1.00"; [ $kind = line ] && budget="-"; [ "$file" = line-100k ] && budget="<= 0.20"
    row "open $file: whole text, ms" "$pinlet_whole" "$notepad_whole" \
        "$(ratio "$pinlet_whole" "$notepad_whole")" "$budget"
    row "open $file: longest unanswered, ms" "$pinlet_gap" "$notepad_gap" \
        "$(ratio "$pinlet_gap" "$notepad_gap")" "<= 250 ms"
    echo "$bytes $kind $pinlet_first $pinlet_whole $pinlet_gap $notepad_first $notepad_whole $notepad_gap" \
        >>"$OUT/chart.dat"
done
# What the whole text costs the control alone: the note's memo taking it in one message (which
# freezes the note) and in pieces without the message loop, beside a wrapping edit control set up
# as notepad's (its font, a window of the note's size), in one process.
for file in lines-1m lines-10m; do
    read -r _ _ _ _ pieces _ _ _ _ _ _ _ one _ _ _ peer < <(wine "$BUILD/bench/open_bench.exe" 1 \
        "$(winpath "$FILES/$file.txt")" 2>/dev/null | tr -d '\r')
    row "open $file: one message, ms (vs notepad's control)" "${one%.*}" "${peer%.*}" \
        "$(ratio "$one" "$peer")" "-"
    row "open $file: in pieces, ms (vs one message)" "${pieces%.*}" "${one%.*}" \
        "$(ratio "$pieces" "$one")" "-"
done
# The system's Python: the plotting library is the distribution's package.
"$(command -v /usr/bin/python3 || command -v python3)" "$ROOT/bench/chart.py" "$OUT/chart.dat" \
    "$ROOT/bench/chart.png" ||
    echo "note: the chart could not be drawn" >&2
fi

if want typing; then
echo "typing at the start of a long line ..." >&2
# Keys at the start of a note that is one 100 KB line, as a user types them (each posted to the
# edit control and timed until it is in and repainted, see open_probe), in the note, in the floor
# holding the same text and in notepad, interleaved round by round.
notepad_as_note
open_files
line="$FILES/line-100k.txt"
keys() { # program editclass -> mean ms per key over 30 keys
    wine "$BUILD/bench/open_probe.exe" --start-keys 30 "$(winpath "$1")" "$(winpath "$line")" "$2" \
        "$(stat -c %s "$line")" 600000 2>/dev/null | tr -d '\r' | cut -d' ' -f4
}
note_keys=() floor_keys=() notepad_keys=()
for _ in $(seq 1 "$RUNS"); do
    note_keys+=("$(keys "$BUILD/pinlet.exe" TkMemo)")
    floor_keys+=("$(keys "$BUILD/bench/edit_window.exe" Edit)")
    notepad_keys+=("$(keys "$NOTEPAD" Edit)")
done
note_key="$(printf '%s\n' "${note_keys[@]}" | median)"
floor_key="$(printf '%s\n' "${floor_keys[@]}" | median)"
notepad_key="$(printf '%s\n' "${notepad_keys[@]}" | median)"
row "typing at a 100 KB line's start, ms/key (vs notepad)" "$note_key" "$notepad_key" \
    "$(ratio "$note_key" "$notepad_key")" "<= 1.00"
row "typing at a 100 KB line's start, ms/key (vs floor)" "$note_key" "$floor_key" \
    "$(ratio "$note_key" "$floor_key")" "<= 1.5"
row "  spread, ms/key: note / floor" "$(spread "${note_keys[@]}")" "$(spread "${floor_keys[@]}")" \
    "" "notepad $(spread "${notepad_keys[@]}")"
fi

if want save; then
echo "saving ..." >&2
# Both programs as black boxes, the same way: bench/open_probe.exe starts the program with a copy
# of a file of short lines, waits for the whole text, then five times types a key at its end and
# presses Ctrl+S, each save timed from the key press until the edit control's modified flag is
# cleared (both programs clear it once the file is written); the median of the five. Rounds
# interleaved; one round of 100 MB, which each program takes minutes to open.
notepad_as_note
open_files
mkdir -p "$OUT/saves"
[ -e "$FILES/lines-100m.txt" ] ||
    for _ in $(seq 1 10); do cat "$FILES/lines-10m.txt"; done >"$FILES/lines-100m.txt"
save_ms() { # program editclass file -> median ms of five saves
    local work="$OUT/saves/work.txt"
    cp "$3" "$work"
    wine "$BUILD/bench/open_probe.exe" --saves 5 "$(winpath "$1")" "$(winpath "$work")" "$2" \
        "$(stat -c %s "$3")" 900000 2>/dev/null | tr -d '\r' | cut -d' ' -f4
    rm -f "$work"
}
for mb in 1 10 100; do
    rounds="$RUNS"; [ $mb = 100 ] && rounds=1
    note_saves=() notepad_saves=()
    for _ in $(seq 1 "$rounds"); do
        note_saves+=("$(save_ms "$BUILD/pinlet.exe" TkMemo "$FILES/lines-${mb}m.txt")")
        notepad_saves+=("$(save_ms "$NOTEPAD" Edit "$FILES/lines-${mb}m.txt")")
    done
    note_save="$(printf '%s\n' "${note_saves[@]}" | median)"
    notepad_save="$(printf '%s\n' "${notepad_saves[@]}" | median)"
    row "save $mb MB, ms (vs notepad)" "$note_save" "$notepad_save" \
        "$(ratio "$note_save" "$notepad_save")" "<= 1.5"
    row "  spread, ms: note / notepad" "$(spread "${note_saves[@]}")" \
        "$(spread "${notepad_saves[@]}")" "" ""
done
# Where a save goes: the note's save over an existing file of 1, 10 and 100 MB (its old bytes
# kept first) beside its parts and the plainest save (bench/save_bench.cpp), on this machine's
# disk, in one process.
while read -r _ mb total _ old _ hash _ write _ flush _ plain; do
    row "save $mb MB, ms (vs plainest save)" "$total" "$plain" "$(ratio "$total" "$plain")" "-"
    row "  read old, hash, write, flush, ms" "$old $hash" "$write $flush" "" ""
done < <(wine "$BUILD/bench/save_bench.exe" "$(winpath "$OUT/saves")" 1 10 100 2>/dev/null | tr -d '\r')
fi

if want linebreaks; then
echo "line-break normalisation ..." >&2
"$ROOT/build/bench-native/bench/line_breaks_bench" --benchmark_min_time=0.5 \
    --benchmark_repetitions="$RUNS" --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null >"$OUT/line_breaks.csv"
rate() { # name -> GB/s of its median
    awk -F, -v n="\"$1_median\"" '$1 == n { printf "%.2f", $(NF - 4) / 1e9 }' "$OUT/line_breaks.csv"
}
copy_rate="$(rate Copy)"
for kind in LF CRLF NoBreaks; do
    r="$(rate "Normalise/$kind")"
    row "normalise $kind, GB/s (vs memcpy)" "$r" "$copy_rate" "$(ratio "$r" "$copy_rate")" \
        ">= 1 GB/s, >= 0.25"
done

fi

if want paint; then
echo "painting ..." >&2
# Every repaint asks Wine's server and the display several questions; on this kind of virtual
# machine each one that has to wake the other, idle CPU costs tens of microseconds, which
# doubled the repaints and the bare window's figures from run to run. The paint benchmark, the
# server and the display therefore share one CPU (where taskset is there to pin them).
pin_to_one_cpu
"${PIN[@]}" wine "$BUILD/bench/paint_bench.exe" 200 2>/dev/null | tr -d '\r' >"$OUT/paint.txt"
unpin
while read -r _ size _ repaint _ panel _ bare _ window _ offscreen; do
    row "repaint $size, us (vs off-screen BitBlt)" "$repaint" "$offscreen" \
        "$(ratio "$repaint" "$offscreen")" "<= 3"
    row "repaint $size, us (vs BitBlt to window)" "$repaint" "$window" \
        "$(ratio "$repaint" "$window")" "<= 3"
    row "  panel's own painting, us" "$panel" "$offscreen" "$(ratio "$panel" "$offscreen")" "-"
    row "  bare window's repaint, us" "$bare" "$offscreen" "$(ratio "$bare" "$offscreen")" "-"
done <"$OUT/paint.txt"

fi

if want find; then
echo "finding ..." >&2
wine "$BUILD/bench/find_bench.exe" "$RUNS" 1 10 2>/dev/null | tr -d '\r' >"$OUT/find.txt"
while read -r _ mb total fetch search exact plain; do
    row "find in $mb MB, ms (vs 100 ms)" "$total" 100 "$(ratio "$total" 100)" "<= 100 ms"
    row "  fetching the text, ms" "$fetch" "$total" "$(ratio "$fetch" "$total")" "-"
    row "  search, any case, ms (vs wstring::find)" "$search" "$plain" "$(ratio "$search" "$plain")" "-"
    row "  search, match case, ms (vs wstring::find)" "$exact" "$plain" "$(ratio "$exact" "$plain")" "-"
done <"$OUT/find.txt"

fi

if want footprint; then
size_kb=$(($(stat -c %s "$BUILD/pinlet.exe") / 1024))
# The budget, and what each part of the file costs against it: README, "What the program's size
# is made of".
row "pinlet.exe size, KB" "$size_kb" "760" "$(ratio "$size_kb" 760)" "< 760 KB"
row "peak memory, kB (vs minimal window)" "$pinlet_peak" "$minimal_peak" \
    "$(ratio "$pinlet_peak" "$minimal_peak")" "<= 1.5"

fi

if want recovery; then
echo "typing and start-up with the recovery copy and without ..." >&2
# The same build twice in one run: once with a folder for its copies, once with a
# %LOCALAPPDATA% where no folder can be made, so that it never writes a copy. Typing goes to a
# note opened from a file, in bursts with pauses in which a copy falls due (see open_probe).
for mb in 1 100; do
    repeated_file "$FILES/lines-${mb}mb.txt" $((mb << 20)) 'lines of a large note, each short enough to fit\r\n'
done
COPIES="$OUT/appdata"
with_copies() { rm -rf "$COPIES"; mkdir -p "$COPIES"; echo "$(winpath "$COPIES")"; }
without_copies() { echo 'Z:\nowhere\pinlet-appdata'; }
typing() { # appdata file -> "mean-ms-per-key slowest-key unanswered-while-typing"
    wine "$BUILD/bench/open_probe.exe" --appdata "$1" --type "$(winpath "$NOTE_EXE")" \
        "$(winpath "$2")" TkMemo "$(stat -c %s "$2")" 900000 2>/dev/null | tr -d '\r' | cut -d' ' -f4-
}
NOTE_EXE="$BUILD/pinlet.exe"
for mb in 1 100; do
    file="$FILES/lines-${mb}mb.txt"
    runs=$RUNS
    [ "$mb" = 100 ] && runs=1 # opening it takes minutes
    on=() off=()
    for _ in $(seq 1 "$runs"); do
        on+=("$(typing "$(with_copies)" "$file")")
        off+=("$(typing "$(without_copies)" "$file")")
    done
    column() { printf '%s\n' "${@:2}" | cut -d' ' -f"$1" | median; }
    row "typing in $mb MB, ms/key (copy vs none)" "$(column 1 "${on[@]}")" \
        "$(column 1 "${off[@]}")" "$(ratio "$(column 1 "${on[@]}")" "$(column 1 "${off[@]}")")" "~ 1"
    row "  slowest key, ms" "$(column 2 "${on[@]}")" "$(column 2 "${off[@]}")" \
        "$(ratio "$(column 2 "${on[@]}")" "$(column 2 "${off[@]}")")" "~ 1"
    row "  longest unanswered, ms" "$(column 3 "${on[@]}")" "$(column 3 "${off[@]}")" \
        "$(ratio "$(column 3 "${on[@]}")" "$(column 3 "${off[@]}")")" "~ 1"
done
# Start-up: with the folder of copies there (and empty), and without one.
start_on=() start_off=()
for _ in $(seq 1 "$RUNS"); do
    appdata="$(with_copies)"
    mkdir -p "$COPIES/Pinlet/Recovery"
    start_on+=("$(wine "$BUILD/bench/open_probe.exe" --appdata "$appdata" "$(winpath "$NOTE_EXE")" - \
        TkMemo 0 60000 2>/dev/null | cut -d' ' -f1)")
    start_off+=("$(wine "$BUILD/bench/open_probe.exe" --appdata "$(without_copies)" \
        "$(winpath "$NOTE_EXE")" - TkMemo 0 60000 2>/dev/null | cut -d' ' -f1)")
done
on_start="$(printf '%s\n' "${start_on[@]}" | median)"
off_start="$(printf '%s\n' "${start_off[@]}" | median)"
row "start-up, ms (copies' folder vs none)" "$on_start" "$off_start" \
    "$(ratio "$on_start" "$off_start")" "~ 1"
# A 128 MB note's copy: the peak commit beyond the text while it is written, as a stream and as
# copies were written before (converted, copied and encoded whole), each in a process of its own.
mkdir -p "$COPIES/stream"
stream_mb=() whole_mb=()
for _ in $(seq 1 "$RUNS"); do
    stream_mb+=("$(wine "$BUILD/bench/copy_memory_bench.exe" stream 128 "$(winpath "$COPIES/stream")" 2>/dev/null | tr -d '\r' | cut -d' ' -f2)")
    whole_mb+=("$(wine "$BUILD/bench/copy_memory_bench.exe" whole 128 "$(winpath "$COPIES/stream")" 2>/dev/null | tr -d '\r' | cut -d' ' -f2)")
    rm -f "$COPIES/stream"/*
done
stream_peak="$(printf '%s\n' "${stream_mb[@]}" | median)"
whole_peak="$(printf '%s\n' "${whole_mb[@]}" | median)"
row "128 MB copy, MB committed (vs whole)" "$stream_peak" "$whole_peak" \
    "$(ratio "$stream_peak" "$whole_peak")" "< 1"
rm -rf "$COPIES"
fi

if want limits; then
echo "what the memo takes ..." >&2
# One long line, whose wrapping costs the square of its length, and typing in a large note with
# the memo's word breaks and with the system's. The largest notes (128 to 250 MB) and the 1 MB
# line take up to an hour each: bench/limits_bench.exe measures them when given them.
for kb in 20 100; do
    repeated_file "$FILES/line-${kb}kb.txt" $((kb * 1000)) 'a long line of words that never ends '
done
repeated_file "$FILES/lines-10mb.txt" $((10 << 20)) 'lines of a large note, each short enough to fit\r\n'
limits() { wine "$BUILD/bench/limits_bench.exe" "$@" 2>/dev/null | tr -d '\r'; }
field() { awk -v key="$1" '{ for (i = 1; i < NF; i++) if ($i == key) print $(i + 1) }'; }
line20="$(limits --open-only "$(winpath "$FILES/line-20kb.txt")" | field open)"
line100="$(limits --open-only "$(winpath "$FILES/line-100kb.txt")" | field open)"
row "open one 100 KB line, ms (vs 20 KB)" "$line100" "$line20" "$(ratio "$line100" "$line20")" \
    "- (25 is quadratic)"
own="$(limits --open-only "$(winpath "$FILES/lines-10mb.txt")" | field type)"
system="$(limits --system-breaks "$(winpath "$FILES/lines-10mb.txt")" | field type)"
row "typing in 10 MB, ms/key (vs system)" "$own" "$system" "$(ratio "$own" "$system")" "-"
fi

if want desktop; then
echo "notes brought back to the desktop ($RUNS runs, interleaved) ..." >&2
# Ten notes recorded at ten places side by side (none covers another's caption, where the timer
# looks), each with a small file, brought back by one "<desktop>" start
# (each note a program of its own), beside ten plain starts of the program in a row; both timed
# to the tenth painted note (the caption's colour at (200, 1)).
PLACES="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Pinlet/Recovery"
record_ten_notes() {
    rm -rf "$PLACES"
    mkdir -p "$PLACES"
    for i in $(seq 0 9); do
        printf 'note %d\r\n' "$i" >"$FILES/desktop-$i.txt"
        printf 'Pinlet note place 1\r\nfile=%s\r\nwindow=%d,%d,%d,%d\r\nmonitor=0,0,2560,1600\r\ndpi=96\r\npinned=0\r\nzoom=100\r\n' \
            "$(winpath "$FILES/desktop-$i.txt")" $((40 + i % 5 * 400)) $((40 + i / 5 * 320)) \
            $((409 + i % 5 * 400)) $((317 + i / 5 * 320)) >"$PLACES/note-9-9-$i.place"
    done
}
# Every note ended by its window's process (other programs may run beside).
end_notes() {
    for id in $(xdotool search --class 'pinlet.exe' 2>/dev/null); do
        kill -9 "$(xdotool getwindowpid "$id" 2>/dev/null)" 2>/dev/null
    done
    sleep 1
    rm -rf "$PLACES"
}
# Through a file, not a pipe: the notes the timer starts keep its output open while they run.
timer() {
    wine "$BUILD/bench/desktop_timer.exe" "$@" >"$OUT/desktop-timer.txt" 2>/dev/null
    tr -d '\r' <"$OUT/desktop-timer.txt"
}
back_times=() plain_times=()
for _ in $(seq 1 "$RUNS"); do
    record_ten_notes
    back_times+=("$(timer 10 1 200 1 E4E4B6 "$(winpath "$BUILD/pinlet.exe")" "<desktop>")")
    end_notes
    plain_times+=("$(timer 10 10 200 1 E4E4B6 "$(winpath "$BUILD/pinlet.exe")")")
    end_notes
done
back="$(printf '%s\n' "${back_times[@]}" | median)"
plain="$(printf '%s\n' "${plain_times[@]}" | median)"
row "10 notes back, ms (vs 10 starts)" "$back" "$plain" "$(ratio "$back" "$plain")" "<= 1.00"
fi


printf '%-34s %12s %12s %8s  %s\n' "benchmark" "figure" "reference" "ratio" "budget"
printf '%s\n' "${ROWS[@]}"
if [ -s "$OUT/startup-phases.txt" ]; then
    echo
    cat "$OUT/startup-phases.txt"
fi
if want footprint && [ -s "$BUILD/pinlet.map" ]; then
    echo
    python3 "$ROOT/scripts/size_table.py" "$BUILD/pinlet.map" "$ROOT"
fi
if want startup-busy && [ -s "$OUT/startup-phases-busy.txt" ]; then
    echo
    echo "Beside a busy CPU:"
    cat "$OUT/startup-phases-busy.txt"
fi
