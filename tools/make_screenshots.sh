#!/usr/bin/env bash
# Plays the game through once (the scripted playthrough test, in a virtual X server) and copies
# one picture of each level and the win screen into docs/ for the README.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
xvfb-run -a -s "-screen 0 1920x1080x24" build/tests/wendlebox_gl_tests --gtest_filter='PlaythroughGL.*'
mkdir -p docs
cp build/test-output/PlaythroughLevel1Dash.png docs/Level1.png
cp build/test-output/PlaythroughLevel2Throw.png docs/Level2.png
cp build/test-output/PlaythroughLevel3FireWall.png docs/Level3.png
cp build/test-output/PlaythroughWinScreen.png docs/WinScreen.png
