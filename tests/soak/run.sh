#!/usr/bin/env bash
# The soak, fault and hostile-input suites on their own. Without arguments they run with the
# bounded counts that ./test.sh uses; with --long, with the full counts (10,000 save/open cycles,
# 1,000 pin toggles, confirmations and repaints, a real 1 GB text file, 5,000 reads of a moving
# file). --fuzz N also runs each fuzz target for N executions, one after another.
# Needs a built tree (scripts/build.sh win).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$ROOT"
long=0
fuzz_runs=0
while [ $# -gt 0 ]; do
    case "$1" in
    --long) long=1 ;;
    --fuzz) fuzz_runs="$2"; shift ;;
    *) echo "usage: $0 [--long] [--fuzz RUNS]" >&2; exit 2 ;;
    esac
    shift
done

SMALLFS="$ROOT/build/smallfs"
mkdir -p "$SMALLFS"
if mountpoint -q "$SMALLFS" || mount -t tmpfs -o size=64k pinlet-smallfs "$SMALLFS" 2>/dev/null; then
    export PINLET_SMALLFS="$SMALLFS"
fi
export PINLET_SOAK_LONG=$long
# shellcheck source=../../scripts/wine_session.sh
PINLET_PREFIX=soak . scripts/wine_session.sh
wine_session_start 1 >/dev/null 2>&1 || { echo "could not start Wine"; exit 1; }
status=0
for name in file_faults staging_files save_keeps hostile_input soak; do
    wine "build/win/tests/soak/${name}_tests.exe" 2>&1 | grep --line-buffered -v 'Read access denied'
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done
bash tests/e2e/sessions.sh || status=1
wine_session_stop

if [ "$fuzz_runs" -gt 0 ]; then
    OUT="$ROOT/build/fuzz-long"
    mkdir -p "$OUT"
    for target in line_breaks layout_text html_layout; do
        [ -x "build/fuzz/$target" ] || scripts/fuzz.sh 1 >/dev/null
        mkdir -p "$OUT/$target.corpus"
        seeds=tests/fuzz/corpus
        [ "$target" = html_layout ] && seeds=tests/fuzz/html_corpus
        "build/fuzz/$target" -runs="$fuzz_runs" -rss_limit_mb=1024 -timeout=5 \
            "$OUT/$target.corpus" "$seeds" >"$OUT/$target.log" 2>&1 || status=1
        echo "fuzz $target: $(grep -oE '^#[0-9]+' "$OUT/$target.log" | tail -1) executions," \
            "corpus $(ls "$OUT/$target.corpus" | wc -l) files"
    done
fi
exit $status
