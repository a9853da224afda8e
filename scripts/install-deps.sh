#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends cmake make g++ libgtest-dev libgmock-dev \
    libbenchmark-dev nlohmann-json3-dev libcli11-dev \
    clang libclang-rt-14-dev valgrind chromium poppler-utils \
    pybind11-dev python3-pybind11 python3-dev python3-pytest python3-setuptools python3-pip python3-venv \
    python3-jsonschema help2man
