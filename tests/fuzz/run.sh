#!/usr/bin/env bash
# Runs every fuzz target that has a seed folder tests/fuzz/corpus/<target>/
# for a fixed time each, and fails when any of them finds a crash, a leak, a
# hang (an input taking over 10 s), undefined behaviour or a broken
# invariant; inputs up to 64 kB (-max_len). A dictionary
# tests/fuzz/<target>.dict, when there is one, is handed to libFuzzer (-dict). New inputs go to a scratch folder (the seed
# folders are not changed); a failing input is saved under
# <build>/fuzz-artifacts/<target>/ and replays with: <build>/tests/fuzz/<target> <file>
#   usage: tests/fuzz/run.sh <fuzz build folder> [seconds per target, default 60]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: run.sh <fuzz build folder> [seconds]}" && pwd)
secs=${2:-60}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
summary=()
for seeds in "$here"/corpus/*/; do
    target=$(basename "$seeds")
    exe="$build/tests/fuzz/$target"
    if [ ! -x "$exe" ]; then
        echo "fuzz target $target (seeds in $seeds) is not built in $build" >&2
        summary+=("$target: not built")
        status=1
        continue
    fi
    work="$build/fuzz-work/$target"
    artifacts="$build/fuzz-artifacts/$target/"
    rm -rf "$work"
    mkdir -p "$work" "$artifacts"
    dict=()
    [ -f "$here/$target.dict" ] && dict=(-dict="$here/$target.dict")
    echo "== $target: ${secs} s"
    if ! "$exe" -max_total_time="$secs" -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts" "${dict[@]}" "$work" "$seeds"; then
        echo "== $target FAILED: the input is in $artifacts" >&2
        summary+=("$target: FAILED, the input is in $artifacts")
        # A CI machine's folders are gone with it: small inputs are printed too.
        for f in "$artifacts"*; do
            [ -f "$f" ] && [ "$(stat -c %s "$f")" -le 4096 ] &&
                summary+=("  $(basename "$f") (base64): $(base64 -w0 "$f")")
        done
        status=1
    else
        summary+=("$target: no finding")
    fi
done
# The outcome of every target again at the end, where a log's tail shows it.
echo "== fuzz summary (${secs} s a target):"
printf '   %s\n' "${summary[@]}"
exit $status
