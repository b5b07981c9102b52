#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit tests and scripted runs).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install_packages.sh
./tools/build.sh
# The fuzz harnesses, built with clang in build-fuzz, replay their seeds and crash reproducers
# (one line and no failure when clang is missing).
./tools/fuzz.sh replay
cd build
ctest --output-on-failure -j2 --timeout 600
