#!/usr/bin/env bash
# Runs valgrind memcheck over the unit tests and over the command-line host:
# any invalid access, use of an uninitialised value, or definite or indirect
# leak fails the run.
#   usage: scripts/valgrind-check.sh [build folder, default build] [tests|cli|all, default all]
#     tests  the s16_tests suite (S16_VALGRIND_FILTER narrows it: a gtest
#            filter, default '*', the whole suite)
#     cli    the real s16check binary: `s16check check` on every
#            examples/*.json in text, json and html, and once on all of
#            them together with --jobs 2; `s16check design` likewise on the
#            examples/design_*.json (their members have no section to check)
# The build must be a plain one (no sanitizers). The only suppression is
# scripts/valgrind.supp (a glibc vector read valgrind 3.19 misreads).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
parts=${2:-all}
case $parts in tests | cli | all) ;; *) echo "unknown part '$parts' (tests, cli or all)" >&2; exit 2 ;; esac
memcheck=(valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect
    --show-leak-kinds=definite,indirect --suppressions=scripts/valgrind.supp)

if [ "$parts" != cli ]; then
    exe="$build/tests/s16_tests"
    [ -x "$exe" ] || { echo "no $exe: build the tests first (cmake --build $build)" >&2; exit 1; }
    "${memcheck[@]}" --error-exitcode=1 "$exe" --gtest_filter="${S16_VALGRIND_FILTER:-*}" --gtest_brief=1
fi

if [ "$parts" != tests ]; then
    exe="$build/app/s16check"
    [ -x "$exe" ] || { echo "no $exe: build it first (cmake --build $build --target s16check)" >&2; exit 1; }
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
    # s16check exits 0 (every member passes) or 1 (a member fails a check);
    # 2 means an example could not be read or checked. memcheck's own
    # verdict is 99, so that it cannot be mistaken for a failing member.
    # The design examples need the section tables beside the checkout.
    export S16_SECTION_CATALOG=${S16_SECTION_CATALOG:-$PWD/../shared/sections}
    run() {
        local status=0
        "${memcheck[@]}" --error-exitcode=99 "$exe" "$@" || status=$?
        case $status in
            0 | 1) ;;
            99) echo "memcheck: errors in: s16check $*" >&2; return 1 ;;
            *) echo "s16check $* exited with $status" >&2; return 1 ;;
        esac
    }
    failed=0
    checks=() designs=()
    for file in examples/*.json; do
        case $(basename "$file") in design_*) designs+=("$file") ;; *) checks+=("$file") ;; esac
    done
    for command in check design; do
        [ "$command" = check ] && files=("${checks[@]}") || files=("${designs[@]}")
        for file in "${files[@]}"; do
            for format in text json html; do
                echo "== memcheck: s16check $command $file --format $format"
                run "$command" "$file" --format "$format" --output "$out/out.$format" || failed=1
            done
        done
        echo "== memcheck: s16check $command ${files[*]} --jobs 2"
        run "$command" "${files[@]}" --format json --jobs 2 --output "$out/all.json" || failed=1
    done
    [ "$failed" = 0 ] || exit 1
fi
