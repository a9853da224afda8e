#!/usr/bin/env bash
# Prints the command-line host's per-member targets of bench/run.sh (issue
# 19, item 4) from the s16check of an already built Release folder (argument,
# default build-bench): callgrind instructions of `s16check check FILE
# --format F --output /dev/null --jobs 1` on member files of 30 and 300
# members (bench/make_batch.py); per member = (total of 300 - total of 30) /
# 270, so the fixed cost of a run (start-up, the catalogue) cancels out.
# Bounds: 150 000 for JSON without the report, 800 000 with it, 600 000 for
# text. Instruction counts repeat exactly whatever the load of the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
exe="$build/app/s16check"
data="$build/bench-data"
mkdir -p "$data"
python3 bench/make_batch.py 30 "$data/members_30.json"
python3 bench/make_batch.py 300 "$data/members_300.json"

total() { # FILE FORMAT-ARGS...: the program's instruction total
    local file=$1 out="$data/callgrind.host.out" status=0
    shift
    valgrind --tool=callgrind --callgrind-out-file="$out" "$exe" check "$file" "$@" --output /dev/null --jobs 1 \
        >/dev/null 2>&1 || status=$?
    [ "$status" -le 1 ] || { echo "s16check check $file $* under callgrind exited with $status" >&2; exit 1; }
    awk '/^totals:/ { print $2 }' "$out"
}

echo "Host targets (instructions per member, callgrind, --jobs 1):"
printf "%-40s %12s %12s %5s\n" "target" "measured" "bound" ""
row() { # NAME BOUND FORMAT-ARGS...
    local name=$1 bound=$2 small big
    shift 2
    small=$(total "$data/members_30.json" "$@")
    big=$(total "$data/members_300.json" "$@")
    awk -v n="$name" -v s="$small" -v b="$big" -v bound="$bound" \
        'BEGIN { m = (b - s) / 270; printf "%-40s %12.0f %12.0f %5s\n", n, m, bound, m <= bound ? "ok" : "over" }'
}
row "(4) --format json (--report none)" 150000 --format json --report none
row "(4) --format json --report text" 800000 --format json --report text
row "(4) --format text" 600000 --format text
