#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. Tests that need OpenGL
# run in a virtual X server with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
cd build
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j "$(nproc)"
