#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: native unit tests under the sanitizers,
# the fuzz targets for a bounded time, the Wine tests on a virtual display and the end-to-end
# tests of the real program. Ends with one line: "N passed, N failed".
set -uo pipefail
ROOT="$(cd "$(dirname "$0")" && pwd)"
cd "$ROOT"
LOGS="$ROOT/build/test-logs"
passed=0
failed=0

finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit $?
}

# Adds the per-test results that GoogleTest printed to a log; a run that failed without naming a
# failed test (a crash, say) counts as one failure.
count_gtest() { # log, exit code, label
    local ok bad
    ok=$(grep -cE '\[       OK \] ' "$1")
    bad=$(grep -cE '\[  FAILED  \] [^ ]+ \([0-9]+ ms\)' "$1")
    if [ "$2" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
    echo "$3: $ok passed, $bad failed"
    [ "$bad" -gt 0 ] && grep -E 'Failure|FAILED|Which is|Expected|Value of' "$1" | head -40
    passed=$((passed + ok))
    failed=$((failed + bad))
}

if ! scripts/deps.sh; then
    echo "installing the build and test tools failed"
    failed=$((failed + 1))
    finish
fi
mkdir -p "$LOGS"
if ! scripts/build.sh all >"$LOGS/build.log" 2>&1; then
    tail -40 "$LOGS/build.log"
    echo "build failed (full log: $LOGS/build.log)"
    failed=$((failed + 1))
    finish
fi

build/native/tests/native/native_tests >"$LOGS/native.log" 2>&1
count_gtest "$LOGS/native.log" $? "native unit tests"

# No include runs up the folders' layers (scripts/layers.py draws the graph).
if python3 scripts/layers.py >"$LOGS/layers.log" 2>&1; then
    echo "include layers: ok"
    passed=$((passed + 1))
else
    grep -v '^ ' "$LOGS/layers.log" | tail -20
    failed=$((failed + 1))
fi

while read -r line; do
    echo "$line"
    case "$line" in
    *": ok") passed=$((passed + 1)) ;;
    *) failed=$((failed + 1)) ;;
    esac
done < <(scripts/fuzz.sh "${PINLET_FUZZ_SECONDS:-20}")

# A small file system for the full-disk tests, when this machine lets us mount one.
SMALLFS="$ROOT/build/smallfs"
mkdir -p "$SMALLFS"
if mountpoint -q "$SMALLFS" || mount -t tmpfs -o size=64k pinlet-smallfs "$SMALLFS" 2>/dev/null; then
    export PINLET_SMALLFS="$SMALLFS"
else
    echo "note: no small file system could be mounted; the full-disk test is skipped"
fi
cleanup() {
    wine_session_stop
    mountpoint -q "$SMALLFS" && umount "$SMALLFS" 2>/dev/null
    return 0
}

# shellcheck source=scripts/wine_session.sh
PINLET_PREFIX=test . scripts/wine_session.sh
trap cleanup EXIT
if ! wine_session_start 1 >"$LOGS/wine-session.log" 2>&1; then
    cat "$LOGS/wine-session.log"
    echo "could not start Wine on a virtual display"
    failed=$((failed + 1))
    finish
fi
ctest --test-dir build/win -V >"$LOGS/wine.log" 2>&1
count_gtest "$LOGS/wine.log" $? "Wine tests"
skipped=$(grep -cE '\[  SKIPPED \] [^ ]+ \([0-9]+ ms\)' "$LOGS/wine.log")
[ "$skipped" -gt 0 ] && echo "Wine tests skipped: $skipped" && grep -E 'Skipped|SKIPPED' "$LOGS/wine.log" | head

tests/e2e/run_e2e.sh >"$LOGS/e2e.log" 2>&1
e2e_status=$?
e2e_ok=$(grep -c '^PASS ' "$LOGS/e2e.log")
e2e_bad=$(grep -c '^FAIL ' "$LOGS/e2e.log")
if [ "$e2e_status" -ne 0 ] && [ "$e2e_bad" -eq 0 ]; then e2e_bad=1; fi
echo "end-to-end tests: $e2e_ok passed, $e2e_bad failed"
grep '^FAIL ' "$LOGS/e2e.log"
passed=$((passed + e2e_ok))
failed=$((failed + e2e_bad))

finish
