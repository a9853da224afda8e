#!/usr/bin/env bash
# Lines of production code (app, framework, member, section, shapes, tables,
# python)
# and of test code (tests/, without golden reports and fuzz corpora), and
# their ratio. The project keeps tests at most half of production, i.e. a
# third of all the code.
set -euo pipefail
cd "$(dirname "$0")/.."
prod=$(find app framework member section shapes tables $(test -d python && echo python) -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.pyi' -o -name 'CMakeLists.txt' \) -print0 | xargs -0 cat | wc -l)
tests=$(find tests -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' -o -name 'CMakeLists.txt' \) \
    -not -path 'tests/golden/*' -not -path 'tests/fuzz/corpus/*' -print0 | xargs -0 cat | wc -l)
awk -v p="$prod" -v t="$tests" 'BEGIN { printf "production %d lines, tests %d lines, tests/production %.3f\n", p, t, t / p }'
