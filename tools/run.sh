#!/usr/bin/env bash
# Installs what is missing, builds, and starts the workbench in run/, a working directory seeded
# from data/ (files already there are kept). Without a display it runs the example Continuum
# study headless instead.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install_packages.sh
./tools/build.sh
mkdir -p run
cp -rn data/. run/
cd run
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${UX_PLATFORM:-sdl}" != headless ]; then
  exec ../build/verivire
fi
echo "No display found: running the example study tools/examples/continuum-study.uxs headless instead."
UX_PLATFORM=headless UX_SCRIPT=../tools/examples/continuum-study.uxs ../build/verivire
echo "Results are in $(pwd): continuum.txt (the report of Text 1), terminal.txt, and the module's parameter and result files."
