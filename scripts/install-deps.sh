#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends cmake make g++ libgtest-dev libgmock-dev \
    libbenchmark-dev nlohmann-json3-dev libcli11-dev \
    clang libclang-rt-14-dev valgrind chromium
