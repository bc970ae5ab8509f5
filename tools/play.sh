#!/usr/bin/env bash
# Installs what is missing, builds, and runs the game from the repository root.
# Without a display (a bare server, CI) the game runs inside a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
if [ -n "${DISPLAY:-}" ]; then
    exec ./build/wendlebox
fi
exec xvfb-run -a -s "-screen 0 1920x1080x24" ./build/wendlebox
