#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. Tests that need OpenGL
# run in a virtual X server with Mesa's software renderer. Then every loader's fuzz target runs
# for 20 seconds; a fault found fails the run and names the input.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
cd build
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j "$(nproc)"
cd ..
bash tools/fuzz.sh 20
