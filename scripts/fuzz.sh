#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: scripts/fuzz.sh [seconds per target]   (default 20)
# Prints one line per target: "fuzz <name>: ok" or "fuzz <name>: FAILED".
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$ROOT/build/fuzz"
seconds="${1:-20}"
mkdir -p "$OUT"
status=0

build_and_run() { # name, seed folder, sources...
    local name=$1 seeds=$2
    shift 2
    if ! clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I"$ROOT/src" \
        -I"$ROOT/tests" "$@" -o "$OUT/$name" 2>"$OUT/$name.build.log"; then
        echo "fuzz $name: FAILED (build, see $OUT/$name.build.log)"
        status=1
        return
    fi
    mkdir -p "$OUT/$name.corpus"
    if "$OUT/$name" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=5 \
        -artifact_prefix="$OUT/" \
        "$OUT/$name.corpus" "$seeds" >"$OUT/$name.log" 2>&1; then
        echo "fuzz $name: ok"
    else
        echo "fuzz $name: FAILED (see $OUT/$name.log)"
        status=1
    fi
}

seeds="$ROOT/tests/fuzz/corpus"
build_and_run layout_text "$seeds" "$ROOT/tests/fuzz/layout_text_fuzz.cpp" \
    "$ROOT/src/toolkit/components/layout_text.cpp"
build_and_run line_breaks "$seeds" "$ROOT/tests/fuzz/line_breaks_fuzz.cpp" \
    "$ROOT/src/notetext/line_breaks.cpp"
build_and_run text_encoding "$seeds" "$ROOT/tests/fuzz/text_encoding_fuzz.cpp" \
    "$ROOT/src/notetext/text_encoding.cpp" "$ROOT/src/toolkit/text/unicode_text.cpp"
build_and_run recovery_copy "$ROOT/tests/fuzz/recovery_corpus" \
    "$ROOT/tests/fuzz/recovery_copy_fuzz.cpp" "$ROOT/src/recovery/recovery_format.cpp" \
    "$ROOT/src/toolkit/text/unicode_text.cpp"
build_and_run html_layout "$ROOT/tests/fuzz/html_corpus" "$ROOT/tests/fuzz/html_layout_fuzz.cpp" \
    "$ROOT/src/AdvPanel/markup/html_layout.cpp" "$ROOT/src/AdvPanel/markup/html_markup.cpp" \
    "$ROOT/src/toolkit/base/geometry.cpp" "$ROOT/src/toolkit/base/layout_scaling.cpp" \
    "$ROOT/src/toolkit/text/unicode_text.cpp"
exit $status
