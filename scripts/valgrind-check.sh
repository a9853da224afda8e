#!/usr/bin/env bash
# Runs the unit tests under valgrind memcheck: any invalid access, use of an
# uninitialised value, or definite or indirect leak fails the run.
#   usage: scripts/valgrind-check.sh [build folder, default build]
# The build must be a plain one (no sanitizers). S16_VALGRIND_FILTER
# narrows the tests (a gtest filter; default '*', the whole suite).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
filter=${S16_VALGRIND_FILTER:-*}
exe="$build/tests/s16_tests"
[ -x "$exe" ] || { echo "no $exe: build the tests first (cmake --build $build)" >&2; exit 1; }
# glibc's AVX2 wmemcmp compares 32 bytes at a time and may read past the end
# of a short string inside the same (mapped) page; valgrind 3.19 reports
# that read although it cannot fault. Only that function is suppressed.
supp=$(mktemp)
trap 'rm -f "$supp"' EXIT
for size in 1 2 4 8 16 32; do
    printf '{\n   glibc-wmemcmp-avx2-read-%s\n   Memcheck:Addr%s\n   fun:__wmemcmp_avx2_movbe\n}\n' "$size" "$size"
done >"$supp"
valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
    --suppressions="$supp" --error-exitcode=1 "$exe" --gtest_filter="$filter" --gtest_brief=1
