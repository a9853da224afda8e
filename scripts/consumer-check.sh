#!/usr/bin/env bash
# Installs the build in BUILD (default: build) into a temporary prefix,
# builds examples/consumer against it with find_package(s16check), and runs
# the consumer and the installed s16check. Exit status 0 when all work.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix/usr"
cmake -S examples/consumer -B "$prefix/consumer" -DCMAKE_PREFIX_PATH="$prefix/usr" -DCMAKE_BUILD_TYPE=Release
cmake --build "$prefix/consumer" -j2
"$prefix/consumer/check_member" | tail -1
"$prefix/usr/bin/s16check" check examples/simply_supported_beam.json --format json > /dev/null
# The schema and the bash completion always; the man page where help2man is.
for f in share/s16check/member.schema.json share/bash-completion/completions/s16check \
    $(command -v help2man > /dev/null && echo share/man/man1/s16check.1); do
    test -s "$prefix/usr/$f" || { echo "consumer-check: $f is not installed" >&2; exit 1; }
done
echo "consumer-check: the installed package builds and runs"
