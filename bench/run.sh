#!/usr/bin/env bash
# Builds the benchmark suite and s16check in Release and prints, in one run,
# issue 19's targets with their bounds (the engine's from bench/count.sh, the
# host's per-member instructions from bench/count-host.sh), then:
#  1. the member checks (s16bench): five repetitions of every benchmark,
#     medians, and the ratios the checks are held to
#       Check with text off / QuickCheck   (at most 2)
#       Check with text on / text off      (at most 4, issue 19)
#     for each member;
#  2. the command-line host's throughput: `s16check check FILE --format F
#     --output /dev/null` (F json, jsonl, csv and text) on a 10 000-member file
#     (bench/make_batch.py) with --jobs 1 and --jobs 2 (the runs alternate),
#     median wall time of five runs each, and jobs 1 / jobs 2 (at least 1.8)
#     with the load average (1 minute) before each format's runs: a busy
#     machine cannot give a second core; beside it the processor time of
#     the runs with two jobs against one (the program's own cost of the
#     second thread);
#  3. the share of the host's batch time spent outside the checks: callgrind
#     instruction counts of one --jobs 1 run on a 300-member file. The work
#     of a member on its worker thread is s16app::CheckMember (build, check,
#     report lines) and the rendering of its output (s16app::JsonMember or
#     TextMember); what is left (reading and parsing the files, writing the
#     output, the threads) is outside the checks (at most 20 %). The share
#     with the rendering counted outside too is printed beside it.
#     Instruction counts repeat exactly from run to run, whatever the load of
#     the machine.
# Arguments are passed to s16bench (e.g. --benchmark_filter=rhs). The build
# folder is build-bench, or $S16_BENCH_BUILD; S16_BENCH_RUNS sets the number
# of timed s16check runs (default 5); S16_BENCH_CLI=0 skips parts 2 and 3.
set -euo pipefail
export LC_ALL=C  # times written and read with a decimal point
cd "$(dirname "$0")/.."
build=${S16_BENCH_BUILD:-build-bench}
runs=${S16_BENCH_RUNS:-5}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DS16_BUILD_TESTS=OFF -DS16_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target s16bench s16count s16check -j2 >/dev/null

echo "Machine: $(nproc) CPU, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'); load average at start:" \
    "$(cut -d' ' -f1-3 /proc/loadavg)"
echo

bash bench/count.sh "$build"
echo
[ "${S16_BENCH_CLI:-1}" = 0 ] || { bash bench/count-host.sh "$build"; echo; }

csv="$build/s16bench.csv"
"$build/bench/s16bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$csv" --benchmark_out_format=csv "$@"
echo
echo "Member checks: medians (CPU time, microseconds) and ratios:"
# CSV rows: "name",iterations,real_time,cpu_time,time_unit,...; keep the
# medians, named "<kind>/<member>_median".
awk -F, '
  function us(t, unit) { return unit == "ns" ? t / 1000 : unit == "ms" ? t * 1000 : unit == "s" ? t * 1e6 : t }
  {
    name = $1; gsub(/"/, "", name)
    if (name !~ /_median$/) next
    sub(/_median$/, "", name)
    split(name, p, "/")
    unit = $5; gsub(/"/, "", unit)
    t[p[1], p[2]] = us($4, unit)
    if (!(p[2] in seen)) { seen[p[2]] = 1; order[++n] = p[2] }
  }
  END {
    printf "%-16s %12s %12s %12s %14s %14s\n", "member", "QuickCheck", "text off", "text on", "off/quick", "on/off"
    for (i = 1; i <= n; ++i) {
      m = order[i]; q = t["QuickCheck", m]; off = t["CheckTextOff", m]; on = t["CheckTextOn", m]
      if (q == "" || off == "" || on == "") continue
      printf "%-16s %12.2f %12.2f %12.2f %9.2f (<=2) %8.2f (<=4)\n", m, q, off, on, off / q, on / off
    }
  }' "$csv"

[ "${S16_BENCH_CLI:-1}" = 0 ] && exit 0

exe="$build/app/s16check"
data="$build/bench-data"
mkdir -p "$data"
big="$data/members_10000.json"
small="$data/members_300.json"
python3 bench/make_batch.py 10000 "$big"
python3 bench/make_batch.py 300 "$small"

# One timed run: its wall time and the processor time it used (user and
# system, all its threads), in seconds. s16check exits 0 (every member
# passes) or 1 (some fail; the file has members of both kinds); anything
# else stops the benchmark, with what s16check said (its warnings are not
# shown otherwise).
timed() {
    local TIMEFORMAT='%3R %3U %3S' times status=0
    times=$({ time "$exe" check "$@" >/dev/null 2>"$data/stderr.txt"; } 2>&1) || status=$?
    if [ "$status" -gt 1 ]; then
        cat "$data/stderr.txt" >&2
        echo "s16check check $* exited with $status" >&2
        exit 1
    fi
    echo "$times" | awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo
echo "s16check check on $(basename "$big") (10 000 members): median wall time of $runs runs, seconds; the runs"
echo "with one job and with two alternate, so that a change in the machine's load falls on both. Processor"
echo "time with two jobs against one: the program's own cost of the second thread (the rest of a ratio"
echo "below 2 is time the machine did not give it)."
printf "%-8s %10s %10s %20s %16s %14s %8s\n" "format" "jobs 1" "jobs 2" "jobs 1 / jobs 2" "members/s (j2)" "cpu j2 / j1" "load"
for format in json jsonl csv text; do
    load=$(cut -d' ' -f1 /proc/loadavg)
    times="$data/times.txt"
    : >"$times"
    for ((r = 0; r < runs; ++r)); do
        for jobs in 1 2; do
            # An assignment, so that a failed run stops the script (set -e).
            t=$(timed "$big" --format "$format" --output /dev/null --jobs "$jobs")
            echo "$jobs $t" >>"$times"
        done
    done
    wall1=$(awk '$1 == 1 { print $2 }' "$times" | median)
    wall2=$(awk '$1 == 2 { print $2 }' "$times" | median)
    cpu1=$(awk '$1 == 1 { print $3 }' "$times" | median)
    cpu2=$(awk '$1 == 2 { print $3 }' "$times" | median)
    awk -v f="$format" -v a="$wall1" -v b="$wall2" -v c="$cpu1" -v d="$cpu2" -v load="$load" \
        'BEGIN { printf "%-8s %10.2f %10.2f %14.2f (>=1.8) %16.0f %14.2f %8s\n", f, a, b, a / b, 10000 / b, d / c, load }'
done

echo
echo "Time outside the checks: callgrind, s16check check $(basename "$small") --jobs 1 (instructions)"
printf "%-8s %15s %15s %15s %22s %22s\n" "format" "program" "CheckMember" "rendering" "outside (<=20 %)" \
    "outside incl. rendering"
for format in json text; do
    out="$data/callgrind.$format.out"
    status=0
    valgrind --tool=callgrind --callgrind-out-file="$out" "$exe" check "$small" --format "$format" \
        --output /dev/null --jobs 1 2>/dev/null || status=$?
    [ "$status" -le 1 ] || { echo "s16check under callgrind exited with $status" >&2; exit 1; }
    # "1,234 (100.0%)  PROGRAM TOTALS" and the inclusive lines of
    # "???:s16app::CheckMember(...)" and "???:s16app::JsonMember(...)".
    callgrind_annotate --inclusive=yes "$out" 2>/dev/null | awk -v f="$format" '
      function n(s) { gsub(/,/, "", s); return s + 0 }
      /PROGRAM TOTALS/ && total == "" { total = n($1) }
      /[ :]s16app::CheckMember\(/ && checks == "" { checks = n($1) }
      /[ :]s16app::(JsonMember|TextMember)(\[abi:cxx11\])?\(/ && render == "" { render = n($1) }
      END {
        if (total == "" || checks == "" || render == "") { printf "%-8s the profile lacks CheckMember or the renderer\n", f; exit }
        printf "%-8s %15.0f %15.0f %15.0f %20.1f %% %20.1f %%\n", f, total, checks, render,
               100 * (1 - (checks + render) / total), 100 * (1 - checks / total)
      }'
done
