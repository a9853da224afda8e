#!/usr/bin/env bash
# Cost of s16check design with the section tables of ../shared/sections:
#  1. one 4-sub-span beam-column (10 m, braced at 2.5 and 7.5 m, 400 kN and
#     8 kN/m) searched through the W family (289 shapes): the ordinary
#     search, and a load no W carries, so every shape is quick-checked
#     (the whole family); callgrind instruction counts of the run, of
#     s16app::DesignMember, and of the search alone (DesignMember without
#     s16app::FamilyCache::Get: reading and validating the catalogue and
#     preparing the family's sections, once per run), and the median wall
#     time of five runs;
#  2. a 1 000-member building (beams, columns and braces, bench/make_design.py)
#     designed with --jobs 1 and --jobs 2, wall time.
# Uses the s16check of $S16_BENCH_BUILD (default build-bench, built in
# Release here).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${S16_BENCH_BUILD:-build-bench}
if [ "$build" = build-bench ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DS16_BUILD_TESTS=OFF -DS16_BUILD_BENCH=ON >/dev/null
    cmake --build "$build" --target s16check -j2 >/dev/null
fi
exe="$build/app/s16check"
data="$build/bench-data"
mkdir -p "$data"
cat="$(cd .. && pwd)/shared/sections"

member() {  # $1: the load factor on the actions
    python3 - "$1" <<'PY'
import json, sys
f = float(sys.argv[1])
w = 8 * f
def sub(x0):
    V0 = -w * 5 + w * x0
    M0 = -w * 5 * x0 + w * x0 * x0 / 2
    return {"left": {"N": -400 * f, "Vy": V0, "Mx": M0}, "loads": [{"type": "uniform", "w": w}]}
print(json.dumps({"grade": "350W", "design": {"family": "W"},
    "points": [{"x": 0, "restraint": "pinned"}, {"x": 2.5, "restraint": "braced"}, {"x": 5},
               {"x": 7.5, "restraint": "braced"}, {"x": 10, "restraint": "pinned"}],
    "subspans": [sub(x) for x in (0, 2.5, 5, 7.5)]}))
PY
}
member 1 >"$data/design_w.json"
member 40 >"$data/design_w_all.json"

median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
wall() {
    local start end status=0
    start=$(date +%s.%N)
    "$exe" design "$@" --catalog "$cat" >/dev/null || status=$?
    end=$(date +%s.%N)
    [ "$status" -le 1 ] || { echo "s16check design $* exited with $status" >&2; exit 1; }
    echo "$start $end" | awk '{ printf "%.4f\n", $2 - $1 }'
}

echo "W family, 4-sub-span beam-column: instructions (callgrind) and wall time (median of 5)"
printf "%-14s %14s %14s %14s %9s %9s\n" "search" "program" "DesignMember" "search alone" "checked" "wall (s)"
for name in design_w design_w_all; do
    f="$data/$name.json"
    out="$data/callgrind.$name.out"
    valgrind --tool=callgrind --callgrind-out-file="$out" "$exe" design "$f" --catalog "$cat" >/dev/null 2>&1 || true
    checked=$("$exe" design "$f" --catalog "$cat" --format json | python3 -c \
        'import json,sys; print(json.load(sys.stdin)["members"][0]["checked"])' || true)
    t=$(for r in 1 2 3 4 5; do wall "$f"; done | median)
    callgrind_annotate --inclusive=yes "$out" 2>/dev/null | awk -v n="$name" -v c="$checked" -v t="$t" '
      function num(s) { gsub(/,/, "", s); return s + 0 }
      /PROGRAM TOTALS/ && total == "" { total = num($1) }
      /[ :]s16app::DesignMember\(/ && design == "" { design = num($1) }
      /[ :]s16app::FamilyCache::Get\(/ && prepare == "" { prepare = num($1) }
      END { printf "%-14s %14.0f %14.0f %14.0f %9s %9s\n", n, total, design, design - prepare, c, t }'
done

echo
python3 bench/make_design.py 1000 "$data/design_1000.json"
echo "1 000-member building: wall time (s)"
for jobs in 1 2; do
    printf "jobs %d: %s\n" "$jobs" "$(wall "$data/design_1000.json" --jobs "$jobs")"
done
