#!/usr/bin/env bash
# Runs every fuzz target for a while, one after another.
# Usage: run.sh BUILD_DIR SECONDS
# The seeds in fuzz/corpus stay as they are; new inputs go to BUILD_DIR/fuzz-corpus and an
# input that fails is kept in BUILD_DIR/fuzz-artifacts.
set -u
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
status=0
for source in "$here"/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    corpus="$build/fuzz-corpus/$target"
    log="$build/fuzz-$target.log"
    mkdir -p "$corpus" "$build/fuzz-artifacts"
    if "$build/fuzz/$target" "$corpus" "$here/corpus/$target" -max_total_time="$seconds" \
        -max_len=8192 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" >"$log" 2>&1; then
        echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")"
    else
        echo "$target FAILED, the end of $log:"
        tail -n 60 "$log"
        status=1
    fi
done
exit $status
