#!/usr/bin/env bash
# Builds the benchmark suite in Release and runs it: five repetitions of
# every benchmark, medians, and the ratios the checks are held to
#   Check with text off / QuickCheck   (at most 2)
#   Check with text on / text off      (at most 10)
# for each member. Arguments are passed to s16bench
# (e.g. --benchmark_filter=rhs). The build folder is build-bench, or
# $S16_BENCH_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${S16_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DS16_BUILD_TESTS=OFF -DS16_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target s16bench -j2 >/dev/null
csv="$build/s16bench.csv"
"$build/bench/s16bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$csv" --benchmark_out_format=csv "$@"
echo
echo "Medians (CPU time, microseconds) and ratios:"
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
      printf "%-16s %12.2f %12.2f %12.2f %9.2f (<=2) %8.2f (<=10)\n", m, q, off, on, off / q, on / off
    }
  }' "$csv"
